// Code page 932 (Shift_JIS) decoding: runs of 7-bit bytes many at a time,
// every other character by one lookup in a table of all byte pairs, which
// also holds the default character for pairs that form none.
#include <cstdint>

#include "text/code_page_decoder.h"
#include "text/jis_tables.h"
#include "text/seven_bit_stretches.h"

namespace zk {

namespace {

using Byte = unsigned char;
constexpr char16_t kNoSjisChar = 0x30FB;  // code page 932's default character

bool IsLead(int c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// `single` is what a byte gives alone, `row` picks a lead byte's row of `pair`
// (0: no lead byte), which gives the character for each next byte, with
// kNoSjisChar for pairs that form none.
struct SjisTables {
  char16_t single[256];
  uint8_t row[256];
  char16_t pair[61][256];
};

SjisTables MakeSjisTables() {
  SjisTables t{};
  int rows = 0;
  for (int c = 0; c < 256; ++c) {
    t.single[c] = SjisSingleTable[c] ? SjisSingleTable[c] : static_cast<char16_t>(c);  // 0x80 stands for itself
    if (!IsLead(c)) continue;
    t.row[c] = static_cast<uint8_t>(++rows);
    // The lead byte's first JIS row (from 0); the next byte's half decides between it and the one after.
    int jis_row = c <= 0x9F ? 2 * (c - 0x81) : 2 * (c - 0xC1);
    for (int trail = 0; trail < 256; ++trail) {
      int offset = trail >= 0x40 && trail <= 0x7E   ? trail - 0x40
                   : trail >= 0x80 && trail <= 0x9E ? trail - 0x41
                   : trail >= 0x9F && trail <= 0xFC ? kJisCells + trail - 0x9F
                                                    : -1;
      char16_t u = offset < 0 ? 0 : Jis0208Table[jis_row * kJisCells + offset];
      t.pair[rows][trail] = u ? u : kNoSjisChar;
    }
  }
  return t;
}

const SjisTables& Sjis() {
  static const SjisTables tables = MakeSjisTables();
  return tables;
}

}  // namespace

std::u16string DecodeCp932(std::string_view bytes) {
  const SjisTables& t = Sjis();
  return DecodeSevenBitStretches(bytes, [&t](const Byte* b, size_t n, Byte c, size_t& i, char16_t*& o) {
    if (t.row[c] && i + 1 < n && b[i + 1] != 0) {
      *o++ = t.pair[t.row[c]][b[i + 1]];
      i += 2;
    } else {  // a lead byte at the very end, or before a NUL, which stays
      *o++ = t.row[c] ? kNoSjisChar : t.single[c];
      ++i;
    }
  });
}

}  // namespace zk
