#!/usr/bin/env python3
"""Interop check: the archives made by interop_writer must pass `unzip -t`, `7zz t` and Python's
zipfile (reading and deciphering), with the names, sizes, CRCs, contents and time stamps written."""
import json
import os
import struct
import subprocess
import sys
import time
import zipfile
import zlib

failures = []


def fail(message):
    failures.append(message)
    print("FAIL:", message)


def run(args):
    return subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL,
                          timeout=120)


def dos_time(unix_seconds):
    t = time.localtime(unix_seconds)
    return (t.tm_year, t.tm_mon, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec - t.tm_sec % 2)


def ut_modify_time(extra):
    """Modification time of the "UT" field in a central extra field."""
    at = 0
    while at + 4 <= len(extra):
        header_id, size = struct.unpack_from("<HH", extra, at)
        if header_id == 0x5455 and size >= 5 and extra[at + 4] & 1:
            return struct.unpack_from("<I", extra, at + 5)[0]
        at += 4 + size
    return None


def check_archive(root, archive, manifest):
    path = os.path.join(root, archive["file"])
    password = archive["password"]
    entries = archive["entries"]

    unzip = ["unzip", "-t"] + (["-P", password] if password else []) + [path]
    result = run(unzip)
    output = result.stdout.decode(errors="replace")
    if not entries:
        if result.returncode != 1 or "zipfile is empty" not in output:
            fail(f"{archive['file']}: unzip -t on an empty archive gave {result.returncode}: {output}")
    elif result.returncode != 0:
        fail(f"{archive['file']}: unzip -t exit {result.returncode}: {output}")

    sevenzip = ["7zz", "t", "-bd"] + (["-p" + password] if password else []) + [path]
    result = run(sevenzip)
    if result.returncode != 0:
        fail(f"{archive['file']}: 7zz t exit {result.returncode}: {result.stdout.decode(errors='replace')}")

    with zipfile.ZipFile(path) as zf:
        if password:
            zf.setpassword(password.encode())
        infos = zf.infolist()
        names = [info.filename for info in infos]
        expected_names = [e["name"] for e in entries]
        if names != expected_names:
            fail(f"{archive['file']}: names {names} != {expected_names}")
            return
        bad = zf.testzip()
        if bad is not None:
            fail(f"{archive['file']}: zipfile.testzip reports {bad}")
        for info, entry in zip(infos, entries):
            where = f"{archive['file']}:{info.filename}"
            with open(os.path.join(root, entry["expect"]), "rb") as f:
                expected = f.read()
            if info.file_size != len(expected):
                fail(f"{where}: size {info.file_size} != {len(expected)}")
            if info.CRC != zlib.crc32(expected):
                fail(f"{where}: CRC {info.CRC:08x} != {zlib.crc32(expected):08x}")
            if zf.read(info) != expected:
                fail(f"{where}: contents differ")
            if bool(info.flag_bits & 1) != bool(password):
                fail(f"{where}: enciphered flag {info.flag_bits:#x} with password {password!r}")
            modified = ut_modify_time(info.extra)
            if entry["fromFile"]:
                if modified != manifest["fileTime"]:
                    fail(f"{where}: UT time {modified} != {manifest['fileTime']}")
                if info.date_time != dos_time(manifest["fileTime"]):
                    fail(f"{where}: DOS time {info.date_time} != {dos_time(manifest['fileTime'])}")
            else:
                low, high = manifest["memoryTimes"]
                if modified is None or not low <= modified <= high:
                    fail(f"{where}: UT time {modified} outside {low}..{high}")
                if not dos_time(low - 2) <= info.date_time <= dos_time(high):
                    fail(f"{where}: DOS time {info.date_time} outside the writing time")
            expected_method = zipfile.ZIP_STORED if info.filename.lower().endswith((".gz", ".zip")) \
                else zipfile.ZIP_DEFLATED
            if info.compress_type != expected_method:
                fail(f"{where}: method {info.compress_type}")


def main():
    writer, root = sys.argv[1], sys.argv[2]
    result = run([writer, root])
    if result.returncode != 0:
        print(result.stdout.decode(errors="replace"))
        print("FAIL: the writer program failed")
        print("0 passed, 1 failed")
        return 1
    with open(os.path.join(root, "manifest.json")) as f:
        manifest = json.load(f)
    for archive in manifest["archives"]:
        check_archive(root, archive, manifest)
    archives = len(manifest["archives"])
    if failures:
        return 1
    print(f"all {archives} archives accepted by unzip, 7zz and zipfile")
    return 0


if __name__ == "__main__":
    sys.exit(main())
