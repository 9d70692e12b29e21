#include "text/jis_decoders.h"

#include "text/jis_tables.h"
#include "text/seven_bit_stretches.h"
#include "text/unit_output.h"
#include "text/widen.h"

namespace zk {

namespace {

using Byte = unsigned char;

bool InRange(Byte c, Byte lo, Byte hi) { return c >= lo && c <= hi; }

char16_t Cell(const char16_t* table, Byte row, Byte cell, Byte base) {
  return table[(row - base) * kJisCells + (cell - base)];
}

enum class JisMode { kAscii, kJis0208, kShiftOutKana, kKana, kJis0212 };

// SO, SI or an escape sequence at p (of len bytes) in the given mode: the
// bytes it takes to switch the mode, or 0 where the byte is an ordinary one.
size_t SwitchMode(const Byte* p, size_t len, JisMode& mode) {
  if (p[0] == 0x0E || p[0] == 0x0F) {  // SO, SI
    JisMode from = p[0] == 0x0E ? JisMode::kAscii : JisMode::kShiftOutKana;
    if (mode != from) return 0;
    mode = p[0] == 0x0E ? JisMode::kShiftOutKana : JisMode::kAscii;
    return 1;
  }
  Byte x = len > 1 ? p[1] : 0, y = len > 2 ? p[2] : 0, z = len > 3 ? p[3] : 0;
  if (x == 0x24 && (y == 0x42 || y == 0x40)) {
    mode = JisMode::kJis0208;
  } else if (x == 0x28 && (y == 0x42 || y == 0x4A)) {
    mode = JisMode::kAscii;
  } else if (x == 0x28 && y == 0x49) {
    mode = JisMode::kKana;
  } else if (x == 0x24 && y == 0x28 && z == 0x44) {
    mode = JisMode::kJis0212;
    return 4;
  } else {
    return 0;
  }
  return 3;
}

}  // namespace

std::u16string EucToUnicode(std::string_view bytes) {
  return DecodeSevenBitStretches(bytes, [](const Byte* b, size_t n, Byte c, size_t& i, char16_t*& o) {
    char16_t u = 0;
    size_t len = 1;
    if (c == 0x8E) {  // half-width katakana
      if (i + 1 < n && InRange(b[i + 1], 0xA1, 0xDF)) u = SjisSingleTable[b[i + 1]], len = 2;
    } else if (c == 0x8F) {  // JIS X 0212
      if (i + 2 < n && InRange(b[i + 1], 0xA1, 0xFE) && InRange(b[i + 2], 0xA1, 0xFE))
        u = Cell(Jis0212Table, b[i + 1], b[i + 2], 0xA1), len = 3;
    } else if (InRange(c, 0xA1, 0xFE) && i + 1 < n && InRange(b[i + 1], 0xA1, 0xFE)) {
      u = Cell(Jis0208Table, c, b[i + 1], 0xA1), len = 2;
    } else {
      u = c;  // stands for itself
    }
    if (u) *o++ = u;
    i += u ? len : 1;  // a sequence that gives no character drops its first byte only
  });
}

std::u16string JisToUnicode(std::string_view bytes) {
  const auto* b = reinterpret_cast<const Byte*>(bytes.data());
  const size_t n = bytes.size();
  UnitOutput out(n);
  JisMode mode = JisMode::kAscii;
  for (size_t i = 0; i < n;) {
    const size_t end = StretchEnd(i, n);
    char16_t* o = out.Stretch();
    while (i < end) {
      Byte c = b[i];
      if (c == 0x0E || c == 0x0F || c == 0x1B) {
        size_t used = SwitchMode(b + i, n - i, mode);
        if (!used) *o++ = c;
        i += used ? used : 1;
        continue;
      }
      switch (mode) {
        case JisMode::kAscii:
          if (c < 0x80) {  // the byte and the plain ones after it stand for themselves
            size_t run = WidenSevenBit<0x0E, 0x0F, 0x1B>(b + i, end - i, o);
            i += run;
            o += run;
          } else {
            *o++ = SjisSingleTable[c] ? SjisSingleTable[c] : char16_t{c};
            ++i;
          }
          break;
        case JisMode::kJis0208:
        case JisMode::kJis0212: {
          const bool x0208 = mode == JisMode::kJis0208;
          Byte last_row = x0208 ? 0x98 : 0x7E;  // 0208 carries on to row 120
          if (i + 1 < n && InRange(c, 0x21, last_row) && InRange(b[i + 1], 0x21, 0x7E)) {
            char16_t u = Cell(x0208 ? Jis0208Table : Jis0212Table, c, b[i + 1], 0x21);
            *o = u;
            o += u != 0;
            i += u ? 2 : 1;
          } else {
            *o++ = c;  // line ends and stray bytes pass through
            ++i;
          }
          break;
        }
        case JisMode::kShiftOutKana:
        case JisMode::kKana:
          *o++ = InRange(c, 0x21, 0x5F) ? SjisSingleTable[c + 0x80] : char16_t{c};
          ++i;
          break;
      }
    }
    out.Commit(o);
  }
  return out.Take();
}

}  // namespace zk
