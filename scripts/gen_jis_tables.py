#!/usr/bin/env python3
"""Generates src/text/jis_tables.cpp, the constant tables of the Japanese decoders.

How the tables were made:
  SjisSingleTable  the fixed single-byte rules below, each cell checked against
                   Python's 'cp932' codec (0xA0 and 0xFD-0xFF are code page 932's
                   private-use cells U+F8F0-U+F8F3).
  Jis0208Table     120 rows x 94 cells. Each cell is the two-byte Shift_JIS code of
                   that row and cell (rows 95-120 carry the arithmetic on into lead
                   bytes 0xF0-0xFC) decoded by Python's 'cp932' codec; 0 where it has
                   no character. Cross-checked cell by cell against glibc's CP932
                   converter (iconv through ctypes).
  Jis0212Table     94 x 94 cells: EUC-JP 0x8F row cell decoded by Python's 'euc_jp'
                   codec, which follows the Unicode consortium's JIS0212 table, then
                   row 2 cell 23 -> U+FF5E and row 2 cell 35 -> U+FFE4 (the full-width
                   forms code page 932 uses for these two glyphs). Cross-checked
                   against glibc's EUC-JP converter.
Every cross-check difference must be one of the known ones listed below, so a
changed codec on another machine stops the script instead of changing a table.

Usage: scripts/gen_jis_tables.py [output]   (default: src/text/jis_tables.cpp)
"""

import ctypes
import ctypes.util
import os
import sys

ROWS_0208, ROWS_0212, CELLS = 120, 94, 94


def sjis_code(row, cell):
    """The Shift_JIS bytes of JIS row/cell (both from 1)."""
    lead = (row + 1) // 2 + (0x80 if row <= 62 else 0xC0)
    if row % 2:
        trail = cell + (0x3F if cell <= 63 else 0x40)
    else:
        trail = cell + 0x9E
    return bytes([lead, trail])


def py_decode(data, codec):
    try:
        text = data.decode(codec)
    except UnicodeDecodeError:
        return 0
    return ord(text) if len(text) == 1 else 0


class Iconv:
    """One glibc converter to UTF-16LE, used one character at a time."""

    def __init__(self, name):
        self.libc = ctypes.CDLL(ctypes.util.find_library('c'), use_errno=True)
        self.libc.iconv_open.restype = ctypes.c_void_p
        self.libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
        self.libc.iconv.restype = ctypes.c_size_t
        self.libc.iconv.argtypes = [ctypes.c_void_p] + [ctypes.c_void_p] * 4
        self.cd = self.libc.iconv_open(b'UTF-16LE', name.encode())
        if self.cd in (None, ctypes.c_void_p(-1).value):
            sys.exit(f'iconv has no {name} converter')

    def decode(self, data):
        self.libc.iconv(self.cd, None, None, None, None)  # reset shift state
        inbuf = ctypes.create_string_buffer(data, len(data))
        outbuf = ctypes.create_string_buffer(16)
        inp, outp = ctypes.c_char_p(ctypes.addressof(inbuf)), ctypes.c_char_p(ctypes.addressof(outbuf))
        inleft, outleft = ctypes.c_size_t(len(data)), ctypes.c_size_t(16)
        r = self.libc.iconv(self.cd, ctypes.byref(inp), ctypes.byref(inleft), ctypes.byref(outp), ctypes.byref(outleft))
        if r == ctypes.c_size_t(-1).value or inleft.value or outleft.value != 14:
            return 0
        return int.from_bytes(outbuf.raw[:2], 'little')


def single_table():
    table = [0] * 256
    for b in range(0x20, 0x7F):
        table[b] = b
    for b in range(0xA1, 0xE0):
        table[b] = 0xFF61 + b - 0xA1
    table[0xA0] = 0xF8F0
    for b in range(0xFD, 0x100):
        table[b] = 0xF8F1 + b - 0xFD
    for b in range(256):
        if table[b]:
            assert py_decode(bytes([b]), 'cp932') == table[b], hex(b)
    return table


def jis0208_table():
    glibc = Iconv('CP932')
    table, diffs = [], {}
    for row in range(1, ROWS_0208 + 1):
        for cell in range(1, CELLS + 1):
            code = sjis_code(row, cell)
            u = py_decode(code, 'cp932')
            g = glibc.decode(code)
            if u != g:
                diffs[(row, cell)] = (u, g)
            table.append(u)
    return table, diffs


def jis0212_table():
    glibc = Iconv('EUC-JP')
    table, diffs = [], {}
    for row in range(1, ROWS_0212 + 1):
        for cell in range(1, CELLS + 1):
            code = bytes([0x8F, row + 0xA0, cell + 0xA0])
            u = py_decode(code, 'euc_jp')
            g = glibc.decode(code)
            if u != g:
                diffs[(row, cell)] = (u, g)
            table.append(u)
    table[(2 - 1) * CELLS + 23 - 1] = 0xFF5E
    table[(2 - 1) * CELLS + 35 - 1] = 0xFFE4
    return table, diffs


# Where glibc's converters differ from the tables, and why that is expected.
KNOWN_0208_DIFFS = {}
KNOWN_0212_DIFFS = {
    (2, 23): (0x007E, 0xFF5E),  # glibc already uses the full-width tilde
}


def cell(table, row, col):
    return table[(row - 1) * CELLS + col - 1]


def check(single, t0208, t0212):
    assert cell(t0208, 1, 33) == 0xFF5E and cell(t0208, 1, 61) == 0xFF0D
    assert cell(t0208, 4, 2) == 0x3042
    assert cell(t0208, 13, 1) == 0x2460
    assert cell(t0208, 89, 1) == 0x7E8A and cell(t0208, 115, 1) == 0x2170
    for row in (*range(9, 13), 14, 15, *range(85, 89), 93, 94, 120):
        assert not any(t0208[(row - 1) * CELLS:row * CELLS]), row
    user = [v for v in t0208[94 * CELLS:114 * CELLS]]
    assert user == list(range(0xE000, 0xE758)), 'user-defined area'
    assert cell(t0212, 16, 1) == 0x4E02
    assert cell(t0212, 2, 23) == 0xFF5E and cell(t0212, 2, 35) == 0xFFE4
    assert single[0x41] == 0x41 and single[0xB1] == 0xFF71 and single[0x80] == 0


def emit(name, values, per_row, per_line):
    out = [f'const char16_t {name}[{len(values)}] = {{']
    for r in range(0, len(values), per_row):
        row = values[r:r + per_row]
        if per_row == CELLS:
            out.append(f'    // row {r // per_row + 1}')
        for i in range(0, len(row), per_line):
            out.append('    ' + ' '.join(f'0x{v:04X},' for v in row[i:i + per_line]))
    out.append('};')
    return '\n'.join(out)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, 'src/text/jis_tables.cpp')
    single = single_table()
    t0208, d0208 = jis0208_table()
    t0212, d0212 = jis0212_table()
    check(single, t0208, t0212)
    for label, diffs, known in (('CP932', d0208, KNOWN_0208_DIFFS), ('EUC-JP', d0212, KNOWN_0212_DIFFS)):
        for (r, c), (u, g) in sorted(diffs.items()):
            print(f'{label} row {r} cell {c}: codec U+{u:04X}, glibc U+{g:04X} (known)')
        if diffs != known:
            sys.exit(f'{label}: differences from glibc are not the known ones')
    parts = [
        '// Generated by scripts/gen_jis_tables.py from Python\'s cp932 and euc_jp codecs,',
        '// cross-checked against glibc\'s converters. Do not edit.',
        '#include "text/jis_tables.h"',
        '',
        'namespace zk {',
        '',
        emit('SjisSingleTable', single, 256, 16),
        '',
        emit('Jis0208Table', t0208, CELLS, 12),
        '',
        emit('Jis0212Table', t0212, CELLS, 12),
        '',
        '}  // namespace zk',
        '',
    ]
    with open(target, 'w', encoding='ascii', newline='\n') as f:
        f.write('\n'.join(parts))
    print(f'wrote {target}')


if __name__ == '__main__':
    main()
