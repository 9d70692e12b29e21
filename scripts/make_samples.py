#!/usr/bin/env python3
"""Writes the bundled sample files into samples/ at the project root.

The samples show what the viewer does with each kind of file: texts in the
Japanese and Unicode encodings, pictures, an MP3 file with its tags, a ZIP
archive of pictures and texts, a folder and an empty file. Pictures are drawn
with ImageMagick (`convert`), the WebP and AVIF copies by `cwebp` and
`avifenc`; everything else is written here byte by byte, so the output is the
same on every run. The LHA and 7z archives are two of
libarchive's own small test archives (found under ZARVIK_DEPS, as the build
keeps them), since no writer for those formats is at hand.

    scripts/make_samples.py [target folder]
"""
import binascii
import os
import shutil
import struct
import subprocess
import sys
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
TARGET = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "samples")

JAPANESE = (
    "これは Zarvik のサンプルのテキストです。\r\n"
    "検索窓で選んだファイルが、そのままここに表示されます。\r\n"
    "文字コードは自動で判別されます：漢字・ひらがな・カタカナ・全角英数ＡＢＣ。\r\n"
    "詳しくは https://example.com/zarvik/ をご覧ください。\r\n"
)


def write(name, data):
    path = os.path.join(TARGET, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def texts():
    write("text_utf8.txt", ("UTF-8 (BOM なし)\r\n" + JAPANESE).encode("utf-8"))
    write("text_shift_jis.txt", ("Shift_JIS\r\n" + JAPANESE).encode("shift_jis"))
    write("text_euc_jp.txt", ("EUC-JP\r\n" + JAPANESE).encode("euc_jp"))
    write("text_iso2022jp.txt", ("ISO-2022-JP\r\n" + JAPANESE).encode("iso2022_jp"))
    write("text_utf16.txt", b"\xff\xfe" + ("UTF-16 (little endian)\r\n" + JAPANESE).encode("utf-16-le"))
    write("日本語の名前.txt", ("ファイル名も日本語です。\r\n" + JAPANESE).encode("utf-8"))
    write("empty.txt", b"")
    write(os.path.join("folder", "inside.txt"), "A file inside the folder.\r\nフォルダの中のファイル。\r\n".encode("utf-8"))


def pictures():
    convert = shutil.which("convert")
    if not convert:
        sys.exit("make_samples.py: ImageMagick's convert is needed for the pictures")
    # No time stamps in the files, so that they come out the same every time.
    plain = ["+set", "date:create", "+set", "date:modify", "-define", "png:exclude-chunks=date,time", "-strip"]

    def run(*args):
        subprocess.run([convert, *args], check=True)

    run("-size", "240x160", "gradient:#87ceeb-#191970", "-fill", "#ffa500", "-draw", "circle 120,80 120,30",
        *plain, "-depth", "8", "PNG24:" + os.path.join(TARGET, "picture.png"))
    run("-size", "320x200", "gradient:#fff8dc-#8b4513", "-fill", "#2e8b57", "-draw", "rectangle 40,40 280,160",
        "-fill", "#ffffff", "-draw", "circle 160,100 160,60", *plain, "-quality", "85",
        os.path.join(TARGET, "picture.jpg"))
    run("-size", "200x120", "xc:#f0f0f0", "-fill", "#c71585", "-draw", "polygon 100,10 190,110 10,110",
        *plain, "BMP3:" + os.path.join(TARGET, "picture.bmp"))
    # The picture again as WebP and AVIF, the formats built in beyond the classic ones.
    png = os.path.join(TARGET, "picture.png")
    subprocess.run(["cwebp", "-quiet", "-q", "85", png, "-o", os.path.join(TARGET, "picture.webp")], check=True)
    subprocess.run(["avifenc", "-j", "1", "-s", "6", png, os.path.join(TARGET, "picture.avif")], check=True,
                   stdout=subprocess.DEVNULL)
    # A badge whose corners are transparent, and the same as an icon.
    run("-size", "96x96", "xc:none", "-fill", "#ff6347", "-draw", "circle 48,48 48,6", "-fill", "#ffffff",
        "-draw", "rectangle 30,40 66,56", *plain, "PNG32:" + os.path.join(TARGET, "badge.png"))
    run(os.path.join(TARGET, "badge.png"), "-define", "icon:auto-resize=48,32,16", *plain,
        os.path.join(TARGET, "badge.ico"))
    # Three frames of a moving dot.
    frames = []
    for i, x in enumerate((30, 80, 130)):
        frame = os.path.join(TARGET, f".frame{i}.gif")
        run("-size", "160x80", "xc:#fffacd", "-fill", "#1e90ff", "-draw", f"circle {x},40 {x},20", *plain, frame)
        frames.append(frame)
    run("-delay", "40", "-loop", "0", *frames, *plain, os.path.join(TARGET, "animation.gif"))
    for f in frames:
        os.remove(f)


def id3v2_frame(frame_id, text):
    # Text encoding 1: UTF-16 with a byte-order mark.
    body = b"\x01" + b"\xff\xfe" + text.encode("utf-16-le")
    return frame_id.encode("ascii") + struct.pack(">I", len(body)) + b"\x00\x00" + body


def syncsafe(n):
    return bytes([(n >> 21) & 0x7F, (n >> 14) & 0x7F, (n >> 7) & 0x7F, n & 0x7F])


def mp3():
    frames = b"".join([
        id3v2_frame("TIT2", "サンプルの無音"),
        id3v2_frame("TPE1", "Zarvik"),
        id3v2_frame("TALB", "サンプル集"),
        id3v2_frame("TYER", "2024"),
        id3v2_frame("TRCK", "1"),
    ])
    tag = b"ID3\x03\x00\x00" + syncsafe(len(frames)) + frames
    # MPEG-1 Layer III, 128 kbit/s, 44.1 kHz, no padding: 417-byte frames.
    # All-zero side information and main data decode to silence.
    audio = (b"\xff\xfb\x90\x64" + bytes(413)) * 20
    v1 = (b"TAG" + b"Silent sample".ljust(30, b"\0") + b"Zarvik".ljust(30, b"\0") + b"Samples".ljust(30, b"\0")
          + b"2024" + b"made by make_samples.py".ljust(28, b"\0") + b"\x00\x01" + bytes([12]))
    assert len(v1) == 128
    write("song.mp3", tag + audio + v1)


def archive():
    path = os.path.join(TARGET, "archive.zip")
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        def add(name, data):
            info = zipfile.ZipInfo(name, date_time=(2024, 1, 1, 12, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            z.writestr(info, data)
        add("readme.txt", "A text inside the archive.\r\n書庫の中のテキスト。\r\n".encode("shift_jis"))
        add("docs/notes.txt", "Notes in a sub-folder of the archive.\r\n".encode("ascii"))
        for picture in ("picture.png", "picture.jpg"):
            with open(os.path.join(TARGET, picture), "rb") as f:
                add("images/" + picture, f.read())


def uudecode(path):
    out = b""
    with open(path, "rb") as f:
        started = False
        for line in f:
            line = line.rstrip(b"\r\n")
            if not started:
                started = line.startswith(b"begin ")
                continue
            if line == b"end" or not line:
                break
            out += binascii.a2b_uu(line)
    return out


def libarchive_archives():
    deps = os.environ.get("ZARVIK_DEPS", "/var/cache/zarvik-deps")
    tests = os.path.join(deps, "src", "libarchive", "libarchive", "test")
    for uu, name in (("test_read_format_lha_bugfix_0.lzh.uu", "archive.lzh"),
                     ("test_read_format_7zip_copy.7z.uu", "archive.7z")):
        write(name, uudecode(os.path.join(tests, uu)))


def main():
    os.makedirs(TARGET, exist_ok=True)
    texts()
    pictures()
    mp3()
    archive()
    libarchive_archives()
    print("samples written to", os.path.normpath(TARGET))


if __name__ == "__main__":
    main()
