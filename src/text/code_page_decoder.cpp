#include "text/code_page_decoder.h"

#include <array>
#include <cstdint>

#include "text/jis_tables.h"
#include "text/unit_output.h"

// Invalid input is decoded the way the platform's converter (as checked under
// Wine) decodes it, so that the program shows the same text natively and there.

namespace zk {

namespace {

using Byte = unsigned char;
constexpr char16_t kNoSjisChar = 0x30FB;  // code page 932's default character
constexpr char16_t kReplacement = 0xFFFD;
constexpr uint32_t kBad = 0xFFFFFFFF;

bool IsSjisLead(Byte c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Shift_JIS arithmetic as table lookups (the trail byte's half decides between
// two rows at random in real text, which a branch would guess badly): a lead
// byte gives the first of its two JIS rows, a trail byte the entry offset
// within that row pair, kNoTrail where it is no trail byte.
constexpr uint16_t kNoTrail = 0xFFFF;

constexpr std::array<uint8_t, 256> kLeadRow = [] {
  std::array<uint8_t, 256> t{};
  for (int c = 0x81; c <= 0x9F; ++c) t[c] = static_cast<uint8_t>(2 * (c - 0x81));
  for (int c = 0xE0; c <= 0xFC; ++c) t[c] = static_cast<uint8_t>(2 * (c - 0xC1));
  return t;
}();

constexpr std::array<uint16_t, 256> kTrailOffset = [] {
  std::array<uint16_t, 256> t{};
  for (int c = 0; c < 256; ++c) {
    if (c >= 0x40 && c <= 0x7E) t[c] = static_cast<uint16_t>(c - 0x40);
    else if (c >= 0x80 && c <= 0x9E) t[c] = static_cast<uint16_t>(c - 0x41);
    else if (c >= 0x9F && c <= 0xFC) t[c] = static_cast<uint16_t>(kJisCells + c - 0x9F);
    else t[c] = kNoTrail;
  }
  return t;
}();

// A lead byte and any following byte but NUL form one character.
char16_t SjisPair(Byte lead, Byte trail) {
  uint16_t offset = kTrailOffset[trail];
  if (offset == kNoTrail) return kNoSjisChar;
  char16_t u = Jis0208Table[kLeadRow[lead] * kJisCells + offset];
  return u ? u : kNoSjisChar;
}

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

constexpr std::array<int8_t, 128> kBase64 = [] {
  std::array<int8_t, 128> t{};
  for (auto& v : t) v = -1;
  for (int c = 0; c < 26; ++c) t['A' + c] = static_cast<int8_t>(c), t['a' + c] = static_cast<int8_t>(26 + c);
  for (int c = 0; c < 10; ++c) t['0' + c] = static_cast<int8_t>(52 + c);
  t['+'] = 62;
  t['/'] = 63;
  return t;
}();

}  // namespace

std::u16string DecodeCp932(std::string_view bytes) {
  const auto* b = reinterpret_cast<const Byte*>(bytes.data());
  const size_t n = bytes.size();
  UnitOutput out(n);
  for (size_t i = 0; i < n; ++i) {
    Byte c = b[i];
    if (c < 0x80)
      out.Put(c);
    else if (!IsSjisLead(c))
      out.Put(SjisSingleTable[c] ? SjisSingleTable[c] : char16_t{c});  // 0x80 stands for itself
    else if (i + 1 < n && b[i + 1] != 0)
      out.Put(SjisPair(c, b[++i]));
    else
      out.Put(kNoSjisChar);  // lead byte at the very end, or before a NUL, which stays
  }
  return out.Take();
}

std::u16string DecodeUtf8(std::string_view bytes) {
  const auto* b = reinterpret_cast<const Byte*>(bytes.data());
  const size_t n = bytes.size();
  UnitOutput out(n);
  size_t i = 0;
  while (i < n) {
    Byte c = b[i++];
    if (c < 0x80) {
      out.Put(c);
      continue;
    }
    int len = c >= 0xC2 && c <= 0xDF ? 1 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : 0;
    uint32_t u = Utf8Tail(c, len, b, i, n);
    if (u == kBad) {
      out.Put(kReplacement);
    } else if (u >= 0x10000) {
      out.Put(static_cast<char16_t>(0xD800 + ((u - 0x10000) >> 10)));
      out.Put(static_cast<char16_t>(0xDC00 + (u & 0x3FF)));
    } else {
      out.Put(static_cast<char16_t>(u));
    }
  }
  return out.Take();
}

// Bits left over from a base64 run cut short by an 8-bit byte carry on into the
// next run, while a run ended by "-" or another byte drops them.
std::u16string DecodeUtf7(std::string_view bytes) {
  const auto* b = reinterpret_cast<const Byte*>(bytes.data());
  const size_t n = bytes.size();
  UnitOutput out(n);
  uint32_t bits = 0;
  int count = 0;
  size_t i = 0;
  while (i < n) {
    if (b[i] != '+') {
      out.Put(b[i++]);
      continue;
    }
    if (++i == n) break;
    if (b[i] == '-') {  // "+-" is a plus sign
      out.Put(u'+');
      ++i;
      continue;
    }
    for (; i < n; ++i) {
      Byte c = b[i];
      if (c == '-') {
        ++i;
        count = 0;
        break;
      }
      if (c >= 0x80) break;
      if (kBase64[c] < 0) {
        count = 0;
        break;
      }
      bits = (bits << 6) | static_cast<uint32_t>(kBase64[c]);
      count += 6;
      if (count >= 16) {
        count -= 16;
        out.Put(static_cast<char16_t>(bits >> count));
      }
    }
  }
  return out.Take();
}

std::u16string PortableCodePageDecoder::Decode(unsigned code_page, std::string_view bytes) const {
  switch (code_page) {
    case kCodePageSjis: return DecodeCp932(bytes);
    case kCodePageUtf8: return DecodeUtf8(bytes);
    case kCodePageUtf7: return DecodeUtf7(bytes);
    default: return {};
  }
}

}  // namespace zk
