#!/usr/bin/env python3
"""A backup written under Wine must pass Info-ZIP `unzip -t`, `7zz t` and Python's zipfile, with
the product entry first and every configuration file after it."""
import subprocess
import sys
import zipfile

EXPECTED = {
    "Verdelo": b"\x001.2.3",
    "a.zrd": b"settings",
    "p.plt": b"plant",
    "p.pim": b"picture",
    "sub/b.zrd": b"window",
}


def main(path):
    failures = []
    for command in (["unzip", "-t", path], ["7zz", "t", path]):
        result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                stdin=subprocess.DEVNULL, timeout=60)
        if result.returncode != 0:
            failures.append(f"{command[0]} exit {result.returncode}:\n{result.stdout.decode(errors='replace')}")
    with zipfile.ZipFile(path) as archive:
        bad = archive.testzip()
        if bad is not None:
            failures.append(f"zipfile: entry {bad} is damaged")
        names = [info.filename for info in archive.infolist()]
        if names[:1] != ["Verdelo"] or sorted(names) != sorted(EXPECTED):
            failures.append(f"zipfile: entries {names}")
        for name, data in EXPECTED.items():
            if name in names and archive.read(name) != data:
                failures.append(f"zipfile: {name} holds {archive.read(name)!r}")
    for failure in failures:
        print("FAIL:", failure)
    print("checked", path)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
