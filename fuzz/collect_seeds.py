#!/usr/bin/env python3
"""Writes the seed corpus of every fuzz harness into fuzz/corpus/<harness>/.

The seeds are the project's own sample files (samples/) where one fits, and
small inputs written here after the cases of the native tests. They are kept
small so that the replay in the native tests runs in seconds; the fuzzer
grows its own corpus in the build folder from them.

    fuzz/collect_seeds.py
"""
import os
import shutil
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLES = os.path.join(HERE, "..", "samples")
CORPUS = os.path.join(HERE, "corpus")


def sample(name):
    with open(os.path.join(SAMPLES, name), "rb") as f:
        return f.read()


def text(length_byte_text):
    """A text as FuzzInput.Text reads it: one length byte, then the bytes."""
    data = length_byte_text[:255]
    return bytes([len(data)]) + data


def bmp(width, height, bits, pixels, colors=(), compression=0, masks=(), core=False, image_size=0):
    table = b"".join(struct.pack("<I", c)[: 3 if core else 4] for c in colors)
    if core:
        info = struct.pack("<IHHHH", 12, width, height, 1, bits)
    else:
        info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, image_size, 3780, 3780,
                           len(colors), 0)
        info += b"".join(struct.pack("<I", m) for m in masks)
    offset = 14 + len(info) + len(table)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + table + pixels


GRAY = [i * 0x010101 for i in range(16)]
BITMAPS = [
    bmp(3, 2, 24, b"\x7f" * 24),
    bmp(5, 3, 8, b"\x03" * 24, colors=GRAY),
    bmp(6, 3, 8, bytes([3, 1, 0, 3, 2, 3, 2, 0, 0, 0, 0, 2, 1, 1, 2, 3, 0, 1]), colors=GRAY, compression=1,
        image_size=18),
    bmp(4, 2, 4, bytes([4, 0x12, 0, 0, 0, 4, 1, 2, 0x34, 0x50, 0, 1]), colors=GRAY, compression=2, image_size=12),
    bmp(9, -2, 1, b"\xa5" * 8, colors=(0, 0xFFFFFF)),
    bmp(3, 2, 16, b"\x5a" * 16, compression=3, masks=(0xF800, 0x7E0, 0x1F)),
    bmp(2, 2, 32, b"\x11" * 16),
    bmp(2, 2, 4, b"\x12" * 8, colors=GRAY, core=True),
]


def png(width, height, rows, colour_type=2):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    raw = b"".join(b"\x00" + r for r in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def icon(images):
    head = struct.pack("<HHH", 0, 1, len(images))
    at = 6 + 16 * len(images)
    entries, bodies = b"", b""
    for width, height, data in images:
        entries += struct.pack("<BBBBHHII", width, height, 0, 0, 1, 32, len(data), at + len(bodies))
        bodies += data
    return head + entries + bodies


def icon_bitmap(size):
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    mask_row = ((size + 31) // 32) * 4
    return info + b"\x80" * (4 * size * size) + b"\x00" * (mask_row * size)


def metafile(placeable):
    records = struct.pack("<IH", 3, 0)  # the end record
    header = struct.pack("<HHHIHIH", 1, 9, 0x300, (18 + len(records)) // 2, 0, 3, 0)
    body = header + records
    if not placeable:
        return body
    head = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, 1000, 500, 1440, 0)
    checksum = 0
    for (word,) in struct.iter_unpack("<H", head[:20]):
        checksum ^= word
    return head + struct.pack("<H", checksum) + body


def enhanced_metafile():
    size = 108 + 20
    header = struct.pack("<II", 1, 108) + struct.pack("<iiii", 0, 0, 99, 49) + struct.pack("<iiii", 0, 0, 2540, 1270)
    header += struct.pack("<IIIIHHIII", 0x464D4520, 0x10000, size, 2, 1, 0, 0, 0, 0)
    header += struct.pack("<ii", 1024, 768) + struct.pack("<ii", 320, 240)
    return header + struct.pack("<IIIII", 14, 20, 0, 16, 20)


def gif_still():
    return (b"GIF89a" + struct.pack("<HHBBB", 2, 2, 0x80, 0, 0) + b"\x00\x00\x00\xff\xff\xff" +
            b"\x21\xf9\x04\x01\x0a\x00\x01\x00" + b"\x2c" + struct.pack("<HHHHB", 0, 0, 2, 2, 0) +
            b"\x02\x02\x44\x01\x00\x3b")


def id3v1():
    return (b"\xff\xfb\x90\x00" * 8 + b"TAG" + b"Title".ljust(30, b"\0") + b"Artist".ljust(30, b"\0") +
            b"Album".ljust(30, b"\0") + b"2001" + b"comment".ljust(30, b"\0") + b"\x0d")


SETTINGS = (
    "[Window]\r\nwsMaximized=0\r\nTop=10\r\nLeft=-20\r\nWidth=870\r\nHeight=642\r\nTopMost=1\r\nActiveHotKey=$2041\r\n\r\n"
    "[Programs]\r\nOutTextEditor=C:\\Windows\\notepad.exe\r\nEverythingPath=C:\\Program Files\\Everything\\Everything.exe\r\n\r\n"
    "[View]\r\nIsBinary=.exe,.dll,\"a,b\"\r\nBackgroundColor=clBtnFace\r\nMaxReadByte=0x1312D00\r\nCacheFolder=D:\\キャッシュ\r\n\r\n"
    "[Jpg]\r\nCompressionQuality=101\r\n\r\n"
    "[Font]\r\nHeight=-15\r\nName=ＭＳ Ｐゴシック\r\nSize=11\r\nColor=$00FF00\r\nStyle=3\r\nPitch=2\r\n\r\n"
    "; a comment\r\nno equals sign\r\n[Other]\r\nKey = Value\r\n")

OUTLINE = (
    "<group>\r\n<chapter>最初の章\r\n<nodefont>x\r\n<attribute>1\r\n<content>\r\n{\\rtf1 本文\\par\r\n"
    "<imagefile>a.bmp\r\n{\\pict\r\n\\picw\r\n010009000003ff\r\n}\\par\r\n二行目\\par}\r\n</content>\r\n</group>\r\n"
    "<group>\r\n<chapter>次\r\n<attribute>\r\n")

TOOLBAR = (
    "[ZarvikToolBar 1]\r\nClearAction,1,1,クリア(&Z)\r\n-\r\nFindEverythingAction,0,1,Everything 監視(&E)\r\n"
    "NoSuchThing,1,1\r\nReloadAction,2,0\r\nGoogleAction,13,1,a, b\r\n")


WEBP_ANIMATION = (
    "52494646b400000057454250565038580a00000002000000040000040000414e494d06000000ffffffff0000414e4d46280000000000"
    "00000000040000040000640000025650384c0f0000002f040001000710fd8ffe0722a2ff0100414e4d4628000000000000000000040000"
    "040000640000005650384c0f0000002f0400010007d0ff88fe0722a2ff0100414e4d4628000000000000000000040000040000640000005650"
    "384c0f0000002f040001000710d1fffe0722a2ff0100")


def exif_jpeg(order, orientation):
    """A JPEG's start with an Exif segment holding only the orientation."""
    fmt = "<" if order == b"II" else ">"
    tiff = order + struct.pack(fmt + "HIH", 42, 8, 1) + struct.pack(fmt + "HHIHH", 274, 3, 1, orientation, 0)
    tiff += struct.pack(fmt + "I", 0)
    body = b"Exif\0\0" + tiff
    return b"\xff\xd8\xff\xe1" + struct.pack(">H", len(body) + 2) + body + b"\xff\xda\x00\x02"


def member_record():
    record = bytearray(582)
    struct.pack_into("<IIIIIHHH", record, 0, 100, 50, 0x1234, 0, 0, 500, (41 << 9) | (6 << 5) | 15,
                     (13 << 11) | (45 << 5) | 10)
    record[26:26 + 9] = b"a\\b\\c.txt"
    record[542:542 + 4] = b"-a--"
    record[550:550 + 6] = b"-lh5-"
    times = struct.pack("<QQQ", 0x01D0000000000000, 0, 0x01C0000000000000)
    progress = b"a.txt;#stream".ljust(300, b"\0")
    return (struct.pack("<q", 9 * 36000000000) + b"\x05" + times + text(bytes(record[:255])) +
            text(bytes(record[255:510])) + text(bytes(record[510:])) + text(b"\0" * 8 + progress[:247]) +
            text(progress[247:]) + text(b"") + text(b"") + text(b";#") + b"\x01")


def spi_blocks(width, height, bits, colors, pixels):
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, 0, 0, 0, colors, 0)
    info += b"".join(struct.pack("<I", c) for c in GRAY[:colors])
    pieces = [info[i:i + 255] for i in range(0, 5 * 255, 255)]
    return b"".join(text(p) for p in pieces) + pixels


def spi_plugin():
    out = text(b"00IN") + b"\x01"
    for pattern, description in ((b"*.pic;*.pi2", b"PIC files"), (b"*.jpg", b"JPEG"), (b"*.mag;*.max", b"MAG")):
        out += text(pattern) + text(description)
    out += b"\x02" + text(b"*.tif") + text(b"TIFF") + b"\x00"
    out += text(b"C:\\pictures\\a.MAG") + struct.pack("<qq", 50, 100) + text(bytes(range(30)))
    return out


def pseudo_random(seed, length):
    out, state = bytearray(), seed
    for _ in range(length):
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        out.append(state >> 16 & 0xFF)
    return bytes(out)


def archive_commands():
    seeds = []
    for kind in range(10):
        for op in range(6):
            names = text(b"C:\\arc\\x.lzh") + text(b"C:\\tmp\\zk1.tmp\\") + b"\x03"
            names += b"\x00" + text(b"a\\b.jpg") + b"\x01" + text(b"-dash[1].txt") + text(b"\x95\\\x8e\x9a.txt")
            names += b"\x02" + text(b"x y") + text(b"") + text(b"member.bmp")
            options = pseudo_random(kind * 6 + op, 120)
            seeds.append(bytes([kind, op, (kind + op * 7) & 0x3F]) + options + text(b"-x") + text(b"") + names)
    return seeds


def main():
    texts = ["text_euc_jp.txt", "text_iso2022jp.txt", "text_shift_jis.txt", "text_utf16.txt", "text_utf8.txt",
             "日本語の名前.txt"]
    corpus = {
        "settings_file": [SETTINGS.encode("utf-8"), b"\xef\xbb\xbf" + SETTINGS.encode("utf-8"),
                          b"\xff\xfe" + SETTINGS.encode("utf-16-le"), SETTINGS.encode("latin-1", "replace")],
        "text_decoding": [sample(t) for t in texts] + [b"+MEIwpDCm- UTF-7", b"a\0b\0c\0", b"\x1b$B$\"\x1b(B"],
        "mp3_tags": [sample("song.mp3")[:2048], id3v1()],
        "outline_document": [OUTLINE.encode("cp932"), b"\xef\xbb\xbf" + OUTLINE.encode("utf-8"),
                             b"\xfe\xff" + OUTLINE.encode("utf-16-be")],
        "dib_reader": [b"\x00" + b for b in BITMAPS] + [b"\x01" + b[14:] for b in BITMAPS],
        "picture_headers": BITMAPS[:3] + [icon([(1, 1, png(1, 1, [b"\xff\x00\x00"])), (2, 2, icon_bitmap(2))]),
                                          metafile(True), metafile(False), enhanced_metafile()],
        "jpeg_decoder": [sample("picture.jpg"), b"junk before " + sample("picture.jpg")],
        "png_decoder": [sample("picture.png"), sample("badge.png"), png(2, 1, [b"\x00\x40\x80\xff\xff\xff"]),
                        png(1, 1, [b"\x10\x20\x30\x80"], colour_type=6)],
        "gif_decoder": [sample("animation.gif"), gif_still()],
        "toolbar_layout": [TOOLBAR.encode("utf-8"), b"\xef\xbb\xbf" + TOOLBAR.encode("utf-8")],
        "link_target": [text(b"C:\\arc\\new.zip") + b"C:\\arc\\old.zip\r\nmember.txt\r\n",
                        text("D:\\書庫\\新.lzh".encode("utf-8")) + b"\xef\xbb\xbfC:\\old.lzh\r\nx\r\n",
                        text(b"E:\\a.zip") + b"\xff\xfe" + "C:\\old.zip\r\nm\r\n".encode("utf-16-le"),
                        text(b"\xc3\xa9.zip") + b"\xfe\xff" + "C:\\old.zip\nm".encode("utf-16-be"),
                        text(b"D:\\new.zip") + b"C:\\old.zip\r\n..\\..\\evil.png\r\n1234\r\n",
                        text(b"C:\\a.zip") + b"C:\\a.zip\r\nimages/CON\r\nabc\r\n"],
        "web_search": ["日本語 の query & 100%".encode("utf-8"), b"a\0b", bytes(range(1, 256))],
        "member_record": [member_record()],
        "archive_commands": archive_commands(),
        "spi_plugin": [spi_plugin()],
        # A still by cwebp and a three-frame animation by img2webp.
        "webp_decoder": [bytes.fromhex("524946461c000000574542505650384c0f0000002f088001000710fd8ffe0722a2ff0100"),
                         bytes.fromhex(WEBP_ANIMATION)],
        "exif_orientation": [sample("picture.jpg"), exif_jpeg(b"II", 6), exif_jpeg(b"MM", 8)],
        "builtin_archive": [sample("archive.zip"), sample("archive.lzh"), sample("archive.7z")],
        "spi_bitmap": [spi_blocks(3, 2, 8, 4, b"\x01" * 8), spi_blocks(2, -2, 24, 0, b"\x7f" * 16),
                       spi_blocks(9, 1, 1, 2, b"\xa5" * 4)],
    }
    for harness, seeds in corpus.items():
        folder = os.path.join(CORPUS, harness)
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        for n, seed in enumerate(seeds):
            with open(os.path.join(folder, "seed%02d" % n), "wb") as f:
                f.write(seed)


if __name__ == "__main__":
    main()
