#!/usr/bin/env python3
"""Interop check of the reader: archives made by Info-ZIP zip, Python's zipfile and 7zz extract with
our reader to the same names, contents and modification times as the files they were made from;
the kinds the reader cannot handle give clean errors."""
import io
import os
import shutil
import struct
import subprocess
import sys
import zipfile

reader, work = sys.argv[1], sys.argv[2]
os.environ["TZ"] = "UTC"  # DOS times are local: the tools and the reader must agree on the zone
failures = []
MTIME = 1709634030  # 2024-03-05 10:20:30 UTC, an even second so DOS time holds it exactly


def fail(message):
    failures.append(message)
    print("FAIL:", message)


def run(args, cwd=None, stdin=None):
    result = subprocess.run(args, cwd=cwd, input=stdin, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=120)
    if result.returncode != 0:
        fail(f"{' '.join(args)} exit {result.returncode}: {result.stdout.decode(errors='replace')}")
    return result


def make_tree(root):
    files = {
        "plant.plt": bytes(range(256)) * 300,
        "notes/care.txt": b"Water every Tuesday.\n" * 500,
        "notes/deep/empty.txt": b"",
        "random.bin": os.urandom(70000),
        "big.txt": b"".join(b"line %d of the growth log\n" % i for i in range(20000)),
    }
    for name, data in files.items():
        path = os.path.join(root, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
    for dirpath, dirnames, filenames in os.walk(root):
        for name in filenames + dirnames:
            os.utime(os.path.join(dirpath, name), (MTIME, MTIME))
    return files


def extract(archive, password=None):
    out = os.path.join(work, "out", os.path.basename(archive))
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    args = [reader, archive, out + "/"] + ([password] if password else [])
    lines = run(args).stdout.decode(errors="replace").splitlines()
    entries = [line.split("\t") for line in lines[1:]]
    return lines[0].split("\t")[1], entries, out


def check_same(label, archive, files, password=None, check_times=True):
    opened, entries, out = extract(archive, password)
    if opened != "ok":
        fail(f"{label}: open gave {opened}")
        return
    seen = set()
    for index, got, memory, extracted, name, attributes, mtime, size in entries:
        if (got, memory, extracted) != ("ok", "ok", "ok"):
            fail(f"{label}: {name}: get {got}, memory {memory}, file {extracted}")
            continue
        if name.endswith("/"):
            if not os.path.isdir(os.path.join(out, name)):
                fail(f"{label}: folder {name} not made")
            continue
        seen.add(name)
        if name not in files:
            fail(f"{label}: unexpected entry {name}")
            continue
        path = os.path.join(out, name)
        with open(path, "rb") as f:
            if f.read() != files[name]:
                fail(f"{label}: {name}: contents differ")
        if check_times and (int(mtime) != MTIME or int(os.stat(path).st_mtime) != MTIME):
            fail(f"{label}: {name}: time {mtime} / {os.stat(path).st_mtime}, expected {MTIME}")
    if seen != set(files):
        fail(f"{label}: entries {sorted(seen)} instead of {sorted(files)}")


def check_fails(label, archive, expected, password=None, also=()):
    """expected: the open result, or the result every entry's extraction must give; also: results
    an entry may give instead."""
    opened, entries, _ = extract(archive, password)
    if opened != "ok":
        if opened != expected:
            fail(f"{label}: open gave {opened}, expected {expected}")
        return
    for index, got, memory, extracted, name, attributes, mtime, size in entries:
        if name.endswith("/"):
            continue  # folders hold no data, so nothing of theirs is enciphered or packed
        if password and size == "0" and (got, memory, extracted) == ("ok", "ok", "ok"):
            continue  # passed the check byte, and an empty entry has no data left to refuse it
        if memory == "ok" or extracted == "ok" or not {expected, *also} & {got, memory}:
            fail(f"{label}: {name}: get {got}, memory {memory}, file {extracted}; expected {expected}")


def main():
    shutil.rmtree(work, ignore_errors=True)
    src = os.path.join(work, "src")
    os.makedirs(src)
    files = make_tree(src)
    a = lambda name: os.path.join(work, name)

    # Info-ZIP zip: deflated with "UT" fields and Unix modes, stored, enciphered.
    run(["zip", "-q", "-r", "-X", a("infozip.zip"), "."], cwd=src)
    check_same("zip -r", a("infozip.zip"), files)
    run(["zip", "-q", "-r", "-0", a("infozip-stored.zip"), "."], cwd=src)
    check_same("zip -0", a("infozip-stored.zip"), files)
    run(["zip", "-q", "-r", "-P", "Secret", a("infozip-secret.zip"), "."], cwd=src)
    check_same("zip -P", a("infozip-secret.zip"), files, "Secret")
    # The cipher header checks one byte, so about one entry in 256 takes a wrong password and is
    # caught only by its data: inflate or the CRC then refuses it (an empty entry opens, empty).
    check_fails("zip -P, wrong password", a("infozip-secret.zip"), "bad password", "secret",
                also=("corrupt entry", "inflate failed"))
    # A symbolic link is extracted as a small file holding the link text, never as a link.
    link_dir = os.path.join(work, "links")
    os.makedirs(link_dir)
    os.symlink("/etc/passwd", os.path.join(link_dir, "link"))
    run(["zip", "-q", "-y", a("symlink.zip"), "link"], cwd=link_dir)
    _, entries, out = extract(a("symlink.zip"))
    link_out = os.path.join(out, "link")
    if os.path.islink(link_out) or not os.path.isfile(link_out) or open(link_out, "rb").read() != b"/etc/passwd":
        fail(f"zip -y: symbolic link entry not extracted as a plain file: {entries}")
    # Read from standard input, zip writes ZIP64 records; either it reads or it fails cleanly.
    run(["zip", "-q", a("stdin.zip"), "-"], stdin=b"from a pipe\n")
    opened, entries, _ = extract(a("stdin.zip"))
    if opened == "ok" and entries and entries[0][2] not in ("ok", "corrupt entry", "inflate failed"):
        fail(f"zip from stdin: {entries}")

    # Python's zipfile.
    for label, method in (("python stored", zipfile.ZIP_STORED), ("python deflated", zipfile.ZIP_DEFLATED)):
        path = a(label.replace(" ", "-") + ".zip")
        with zipfile.ZipFile(path, "w", method) as z:
            for name in files:
                z.write(os.path.join(src, name), name)
        check_same(label, path, files)
    with zipfile.ZipFile(a("python-writestr.zip"), "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("made/in/memory.txt", b"no file behind me")
        z.writestr(zipfile.ZipInfo("made/"), b"")
    opened, entries, out = extract(a("python-writestr.zip"))
    if [e[1:4] for e in entries] != [["ok", "ok", "ok"]] * 2 or \
            open(os.path.join(out, "made/in/memory.txt"), "rb").read() != b"no file behind me":
        fail(f"python writestr: {entries}")
    for comment, expected in ((65000, "ok"), (65535, "ok")):
        path = a(f"python-comment-{comment}.zip")
        with zipfile.ZipFile(path, "w") as z:
            z.writestr("x.txt", b"x")
            z.comment = b"c" * comment
        opened, _, _ = extract(path)
        if opened != expected:
            fail(f"python comment of {comment} bytes: open gave {opened}, expected {expected}")
    # An unseekable output makes zipfile write data descriptors (flag 8).
    stream = io.BytesIO()

    class Unseekable(io.RawIOBase):
        def writable(self):
            return True

        def write(self, b):
            return stream.write(b)

    with zipfile.ZipFile(Unseekable(), "w", zipfile.ZIP_DEFLATED) as z:
        for name in files:
            z.write(os.path.join(src, name), name)
    with open(a("python-stream.zip"), "wb") as f:
        f.write(stream.getvalue())
    check_same("python unseekable stream", a("python-stream.zip"), files)
    with zipfile.ZipFile(a("python-zip64.zip"), "w") as z:
        with z.open("forced.txt", "w", force_zip64=True) as f:
            f.write(b"forced zip64")
    # Python releases differ in what force_zip64 writes: some put sizes of 0xFFFFFFFF (ZIP64,
    # which the reader refuses) in the local header, others real sizes beside a ZIP64 extra
    # field, which leaves an archive the reader must read like any other.
    with open(a("python-zip64.zip"), "rb") as f:
        archive = f.read()
    central = archive.find(b"PK\x01\x02")
    sizes = struct.unpack_from("<II", archive, 18) + struct.unpack_from("<II", archive, central + 20)
    if 0xFFFFFFFF in sizes:
        check_fails("python force_zip64", a("python-zip64.zip"), "corrupt entry")
    else:
        check_same("python force_zip64, local markers only", a("python-zip64.zip"),
                   {"forced.txt": b"forced zip64"}, check_times=False)
    for label, method in (("python bzip2", zipfile.ZIP_BZIP2), ("python lzma", zipfile.ZIP_LZMA)):
        path = a(label.replace(" ", "-") + ".zip")
        with zipfile.ZipFile(path, "w", method) as z:
            z.writestr("packed.txt", b"packed " * 100)
        check_fails(label, path, "corrupt entry")

    # 7zz: host 3, NTFS times and no "UT" field, so the DOS time is what counts.
    run(["7zz", "a", "-tzip", "-bd", a("7zz.zip"), "."], cwd=src)
    check_same("7zz", a("7zz.zip"), files)
    run(["7zz", "a", "-tzip", "-bd", "-pSecret", "-mem=ZipCrypto", a("7zz-secret.zip"), "."], cwd=src)
    check_same("7zz ZipCrypto", a("7zz-secret.zip"), files, "Secret")
    run(["7zz", "a", "-tzip", "-bd", "-mm=Deflate64", a("7zz-deflate64.zip"), "big.txt"], cwd=src)
    check_fails("7zz Deflate64", a("7zz-deflate64.zip"), "corrupt entry")
    run(["7zz", "a", "-tzip", "-bd", "-pSecret", "-mem=AES256", a("7zz-aes.zip"), "random.bin"], cwd=src)
    check_fails("7zz AES-256", a("7zz-aes.zip"), "corrupt entry", "Secret")

    print(f"{len(failures)} failures")
    return 1 if failures else 0


sys.exit(main())
