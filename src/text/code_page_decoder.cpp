#include "text/code_page_decoder.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "text/unit_output.h"
#include "text/widen.h"

namespace zk {

namespace {

using Byte = unsigned char;

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
      char16_t* o = out.Stretch();
      size_t run = WidenSevenBit<'+'>(b + i, std::min(n - i, UnitOutput::kStretch), o);
      if (run == 0) o[run++] = b[i];  // an 8-bit byte passes through
      out.Commit(o + run);
      i += run;
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
