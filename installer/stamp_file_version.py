#!/usr/bin/env python3
"""Copies a program or library and gives the copy another file and product version.

The upgrade test's next version ships the programs of this build as a real next version would ship
its own: with its version in their version resources, so that Windows Installer replaces the
installed files (and a held one at the next restart) as it would in a real upgrade. Only the fixed
version block changes; a file whose version is not FROM (the OpenSSL libraries) is copied as it is.

    stamp_file_version.py SOURCE COPY FROM TO        (versions as a.b.c.d)
"""
import struct
import sys

from set_file_versions import fixed_info_offset


def words(version):
    parts = [int(p) for p in version.split(".")]
    if len(parts) != 4 or any(p < 0 or p > 0xFFFF for p in parts):
        raise ValueError("not a version a.b.c.d: " + version)
    return (parts[0] << 16) | parts[1], (parts[2] << 16) | parts[3]


def main(argv):
    if len(argv) != 5:
        print(__doc__, file=sys.stderr)
        return 1
    source, copy, old, new = argv[1:]
    with open(source, "rb") as f:
        data = bytearray(f.read())
    at = fixed_info_offset(data)
    if at is not None and struct.unpack_from("<II", data, at + 8) == words(old):
        # File version at 8, product version at 16.
        struct.pack_into("<IIII", data, at + 8, *words(new), *words(new))
    with open(copy, "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
