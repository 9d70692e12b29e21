#include "base/text_file_codec.h"

namespace zk {

bool StartsLikeByteOrderMark(std::string_view bytes) {
  return bytes.starts_with(kUtf8Bom) || bytes.starts_with(kUtf16LeBom) || bytes.starts_with(kUtf16BeBom);
}

std::string EncodeUtf16Bytes(std::u16string_view text, bool big_endian) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char16_t c : text) {
    const char hi = static_cast<char>(c >> 8);
    const char lo = static_cast<char>(c & 0xFF);
    out += big_endian ? hi : lo;
    out += big_endian ? lo : hi;
  }
  return out;
}

std::u16string DecodeUtf16Bytes(std::string_view bytes, bool big_endian) {
  std::u16string out;
  out.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
    out += big_endian ? char16_t((b0 << 8) | b1) : char16_t((b1 << 8) | b0);
  }
  return out;
}

}  // namespace zk
