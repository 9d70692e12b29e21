#include "text/jis_decoders.h"

#include "text/jis_tables.h"
#include "text/unit_output.h"

namespace zk {

namespace {

using Byte = unsigned char;

bool InRange(Byte c, Byte lo, Byte hi) { return c >= lo && c <= hi; }

char16_t Cell(const char16_t* table, Byte row, Byte cell, Byte base) {
  return table[(row - base) * kJisCells + (cell - base)];
}

}  // namespace

std::u16string EucToUnicode(std::string_view bytes) {
  const auto* b = reinterpret_cast<const Byte*>(bytes.data());
  const size_t n = bytes.size();
  UnitOutput out(n);
  size_t i = 0;
  while (i < n) {
    Byte c = b[i];
    if (c < 0x80) {  // the common case first
      out.Put(c);
      ++i;
    } else if (c == 0x8E) {  // half-width katakana
      char16_t u = i + 1 < n && InRange(b[i + 1], 0xA1, 0xDF) ? SjisSingleTable[b[i + 1]] : 0;
      if (u) out.Put(u);
      i += u ? 2 : 1;
    } else if (c == 0x8F) {  // JIS X 0212
      char16_t u = 0;
      if (i + 2 < n && InRange(b[i + 1], 0xA1, 0xFE) && InRange(b[i + 2], 0xA1, 0xFE))
        u = Cell(Jis0212Table, b[i + 1], b[i + 2], 0xA1);
      if (u) out.Put(u);
      i += u ? 3 : 1;
    } else if (InRange(c, 0xA1, 0xFE) && i + 1 < n && InRange(b[i + 1], 0xA1, 0xFE)) {
      char16_t u = Cell(Jis0208Table, c, b[i + 1], 0xA1);
      if (u) out.Put(u);
      i += u ? 2 : 1;
    } else {
      out.Put(c);
      ++i;
    }
  }
  return out.Take();
}

std::u16string JisToUnicode(std::string_view bytes) {
  enum class Mode { kAscii, kJis0208, kShiftOutKana, kKana, kJis0212 };
  const auto* b = reinterpret_cast<const Byte*>(bytes.data());
  const size_t n = bytes.size();
  UnitOutput out(n);
  Mode mode = Mode::kAscii;
  size_t i = 0;
  while (i < n) {
    Byte c = b[i];
    if (c == 0x0E) {  // SO
      if (mode == Mode::kAscii)
        mode = Mode::kShiftOutKana;
      else
        out.Put(c);
      ++i;
      continue;
    }
    if (c == 0x0F) {  // SI
      if (mode == Mode::kShiftOutKana)
        mode = Mode::kAscii;
      else
        out.Put(c);
      ++i;
      continue;
    }
    if (c == 0x1B) {
      Byte x = i + 1 < n ? b[i + 1] : 0, y = i + 2 < n ? b[i + 2] : 0;
      Byte z = i + 3 < n ? b[i + 3] : 0;
      if (x == 0x24 && (y == 0x42 || y == 0x40)) {
        mode = Mode::kJis0208;
        i += 3;
      } else if (x == 0x28 && (y == 0x42 || y == 0x4A)) {
        mode = Mode::kAscii;
        i += 3;
      } else if (x == 0x28 && y == 0x49) {
        mode = Mode::kKana;
        i += 3;
      } else if (x == 0x24 && y == 0x28 && z == 0x44) {
        mode = Mode::kJis0212;
        i += 4;
      } else {
        out.Put(c);
        ++i;
      }
      continue;
    }
    switch (mode) {
      case Mode::kAscii:
        out.Put(SjisSingleTable[c] ? SjisSingleTable[c] : char16_t{c});
        ++i;
        break;
      case Mode::kJis0208:
      case Mode::kJis0212: {
        const bool x0208 = mode == Mode::kJis0208;
        Byte last_row = x0208 ? 0x98 : 0x7E;  // 0208 carries on to row 120
        if (i + 1 < n && InRange(c, 0x21, last_row) && InRange(b[i + 1], 0x21, 0x7E)) {
          char16_t u = Cell(x0208 ? Jis0208Table : Jis0212Table, c, b[i + 1], 0x21);
          if (u) out.Put(u);
          i += u ? 2 : 1;
        } else {
          out.Put(c);  // line ends and stray bytes pass through
          ++i;
        }
        break;
      }
      case Mode::kShiftOutKana:
      case Mode::kKana:
        out.Put(InRange(c, 0x21, 0x5F) ? SjisSingleTable[c + 0x80] : char16_t{c});
        ++i;
        break;
    }
  }
  return out.Take();
}

}  // namespace zk
