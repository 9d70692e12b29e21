#!/usr/bin/env bash
# Archives made by real archivers from Debian's packages, for the built-in
# engine's tests: each holds two pictures with Japanese names (3 x 2 and 5 x 4
# PNGs) and a text. Usage: make_real_archives.sh <output folder>
set -euo pipefail
out=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out" "$work/utf8" "$work/sjis"

# The members, with UTF-8 names, and with Shift_JIS names for the archivers
# that store names as bytes.
python3 - "$work" <<'PY'
import os, struct, sys, zlib
work = sys.argv[1]
def png(w, h, rgb):
    raw = b"".join(b"\0" + bytes(rgb) * w for _ in range(h))
    chunk = lambda t, d: struct.pack(">I", len(d)) + t + d + struct.pack(">I", zlib.crc32(t + d) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))
members = {"画像1.png": png(3, 2, (200, 30, 30)), "画像2.png": png(5, 4, (30, 30, 200)), "読んで.txt": b"text\r\n"}
for name, data in members.items():
    open(os.path.join(work, "utf8", name), "wb").write(data)
    open(os.path.join(work.encode(), b"sjis", name.encode("cp932")), "wb").write(data)
PY

( cd "$work/sjis" && LC_ALL=C zip -q -X "$out/info-zip-sjis.zip" * )
( cd "$work/utf8" && LC_ALL=C.UTF-8 zip -q -X "$out/info-zip-utf8.zip" * )
( cd "$work/utf8" && 7zz a -bd -y "$out/7zip.7z" * >/dev/null )
( cd "$work/utf8" && 7zz a -bd -y -tzip "$out/7zip.zip" * >/dev/null )
( cd "$work/utf8" && gcab -c -z "$out/gcab.cab" * )
( cd "$work/utf8" && bsdtar -cJf "$out/bsdtar.tar.xz" * )
( cd "$work/utf8" && bsdtar --zstd -cf "$out/bsdtar.tar.zst" * )
( cd "$work/utf8" && bsdtar --lz4 -cf "$out/bsdtar.tar.lz4" * )
( cd "$work/utf8" && bsdtar --format iso9660 -cf "$out/bsdtar.iso" * )
( cd "$work/utf8" && bsdtar --format cpio -cf "$out/bsdtar.cpio" * )
