#!/usr/bin/env python3
"""Gives the File table of an MSI package the versions of its programs and libraries.

wixl leaves the File table's Version column empty and hashes every file instead, so Windows
Installer would compare the programs by hash and date on repair and upgrade. This reads the fixed
version of each file's version resource and stores it in its File row (dropping the row's hash,
which only unversioned files carry). Files without a version resource keep their hash.

    set_file_versions.py PACKAGE.msi FILE_KEY=PATH...
"""
import struct
import subprocess
import sys

# VS_FIXEDFILEINFO starts with this signature, on a 32-bit boundary inside the version resource.
SIGNATURE = struct.pack("<I", 0xFEEF04BD)


def fixed_info_offset(data):
    """Where the VS_FIXEDFILEINFO of the PE image `data` starts, or None when it carries none."""
    at = data.find(SIGNATURE)
    while at != -1 and at % 4 != 0:
        at = data.find(SIGNATURE, at + 1)
    # Signature, structure version, then the file version (two words) and the product version.
    if at == -1 or at + 24 > len(data):
        return None
    return at


def file_version(path):
    """The "a.b.c.d" file version of the PE file at path, or None when it carries none."""
    with open(path, "rb") as f:
        data = f.read()
    at = fixed_info_offset(data)
    if at is None:
        return None
    _, _, ms, ls = struct.unpack_from("<IIII", data, at)
    return "%d.%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)


def main(argv):
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 1
    package = argv[1]
    for pair in argv[2:]:
        key, _, path = pair.partition("=")
        version = file_version(path)
        if version is None:
            continue
        for query in ("UPDATE `File` SET `Version` = '%s' WHERE `File` = '%s'" % (version, key),
                      "DELETE FROM `MsiFileHash` WHERE `File_` = '%s'" % key):
            subprocess.run(["msibuild", package, "-q", query], check=True)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
