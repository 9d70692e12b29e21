// UTF-8 decoding: runs of 7-bit bytes many at a time, valid two- and
// three-byte characters straight away, and everything else (four-byte
// sequences, broken text) the way the platform's converter decodes it.
#include <cstdint>

#include "text/code_page_decoder.h"
#include "text/seven_bit_stretches.h"

namespace zk {

namespace {

using Byte = unsigned char;
constexpr char16_t kReplacement = 0xFFFD;
constexpr uint32_t kBad = 0xFFFFFFFF;

// One UTF-8 sequence after its lead byte, with the continuation count `len`;
// consumes the bytes up to the first that breaks the sequence.
uint32_t Utf8Tail(Byte lead, int len, const Byte* b, size_t& i, size_t n) {
  if (len == 0) return kBad;
  if (i + len > n) {  // cut off at the end: the rest is one bad sequence
    i = n;
    return kBad;
  }
  static constexpr Byte kLeadMask[4] = {0, 0x1F, 0x0F, 0x07};
  uint32_t res = lead & kLeadMask[len];
  if (len == 3) {
    uint32_t ch = b[i] ^ 0x80u;
    if (ch >= 0x40) return kBad;
    res = (res << 6) | ch;
    ++i;
    if (res < 0x10) return kBad;  // overlong
  }
  if (len >= 2) {
    uint32_t ch = b[i] ^ 0x80u;
    if (ch >= 0x40) return kBad;
    res = (res << 6) | ch;
    if (res >= (0x110000 >> 6)) return kBad;  // beyond U+10FFFF
    ++i;
    if (res < 0x20) return kBad;                                   // overlong
    if (res >= (0xD800 >> 6) && res <= (0xDFFF >> 6)) return kBad;  // surrogate
  }
  uint32_t ch = b[i] ^ 0x80u;
  if (ch >= 0x40) return kBad;
  ++i;
  return (res << 6) | ch;
}

// A code point, or U+FFFD for kBad, as one or two units.
char16_t* PutCodePoint(char16_t* o, uint32_t u) {
  if (u == kBad) {
    *o++ = kReplacement;
  } else if (u >= 0x10000) {
    *o++ = static_cast<char16_t>(0xD800 + ((u - 0x10000) >> 10));
    *o++ = static_cast<char16_t>(0xDC00 + (u & 0x3FF));
  } else {
    *o++ = static_cast<char16_t>(u);
  }
  return o;
}

}  // namespace

std::u16string DecodeUtf8(std::string_view bytes) {
  return DecodeSevenBitStretches(bytes, [](const Byte* b, size_t n, Byte c, size_t& i, char16_t*& o) {
    if (i + 2 < n) {  // the usual two- and three-byte characters straight away
      unsigned t1 = b[i + 1] ^ 0x80u, t2 = b[i + 2] ^ 0x80u;  // below 0x40 for continuation bytes
      unsigned u = (c & 0x0Fu) << 12 | t1 << 6 | t2;
      if (c >= 0xE0 && c <= 0xEF && (t1 | t2) < 0x40 && u >= 0x800 && (u < 0xD800 || u > 0xDFFF)) {
        *o++ = static_cast<char16_t>(u);
        i += 3;
        return;
      }
      if (c >= 0xC2 && c <= 0xDF && t1 < 0x40) {
        *o++ = static_cast<char16_t>((c & 0x1Fu) << 6 | t1);
        i += 2;
        return;
      }
    }
    ++i;
    int len = c >= 0xC2 && c <= 0xDF ? 1 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : 0;
    o = PutCodePoint(o, Utf8Tail(c, len, b, i, n));
  });
}

}  // namespace zk
