#include "text/text_decoding.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "text/detect_char_code.h"
#include "text/jis_decoders.h"

namespace zk {

namespace {

using Byte = unsigned char;

// Replaces NULs by spaces; true when there was one. Text rarely holds any, so
// the bytes are only searched (a write would touch every byte again).
bool ReplaceNulls(std::string& s) {
  bool found = false;
  for (char* p = s.data(); (p = static_cast<char*>(std::memchr(p, 0, s.data() + s.size() - p))) != nullptr; ++p) {
    *p = ' ';
    found = true;
  }
  return found;
}

bool ReplaceNulls(std::u16string& s) {
  bool found = false;
  for (char16_t& c : s) {
    if (c == 0) {
      c = u' ';
      found = true;
    }
  }
  return found;
}

bool LooksLikeUtf16(Byte b0, Byte b1) {
  return (b0 > 0xFD && b1 > 0xFD) || ((b0 == 0) != (b1 == 0));
}

void DecodeUtf16(std::string& bytes, TextFile& out) {
  Byte b0 = bytes[0], b1 = bytes[1];
  out.id = CharCode::kUtf16Le;
  if ((b0 == 0xFE && b1 == 0xFF) || b0 == 0) {
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) std::swap(bytes[i], bytes[i + 1]);
    out.id = CharCode::kUtf16Be;
  }
  size_t start = static_cast<Byte>(bytes[0]) == 0xFF && static_cast<Byte>(bytes[1]) == 0xFE ? 2 : 0;
  size_t units = (bytes.size() - start) / 2;
  out.text.resize(units);
  for (size_t k = 0; k < units; ++k) {
    size_t at = start + 2 * k;
    out.text[k] = static_cast<char16_t>(static_cast<Byte>(bytes[at]) | static_cast<Byte>(bytes[at + 1]) << 8);
  }
  out.HasNull = ReplaceNulls(out.text);
}

}  // namespace

TextFile DecodeTextBytes(std::string bytes, const CodePageDecoder& decoder) {
  TextFile out;
  out.id = CharCode::kSjis;
  if (bytes.size() >= 2 && LooksLikeUtf16(bytes[0], bytes[1])) {
    DecodeUtf16(bytes, out);
    return out;
  }
  if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    out.text = decoder.Decode(kCodePageUtf8, std::string_view(bytes).substr(3));  // after the byte-order mark
    out.HasNull = ReplaceNulls(out.text);
    out.id = CharCode::kUtf8Bom;
    return out;
  }
  out.HasNull = ReplaceNulls(bytes);
  switch (DetectCharCode(bytes)) {
    case DetectResult::kEuc:
      out.text = EucToUnicode(bytes);
      out.id = CharCode::kEuc;
      break;
    case DetectResult::kJis:
      out.text = JisToUnicode(bytes);
      out.id = CharCode::kJis;
      break;
    case DetectResult::kUtf7:
      out.text = decoder.Decode(kCodePageUtf7, bytes);
      // "+AAA-" decodes to a NUL, which would end the text in the control.
      if (ReplaceNulls(out.text)) out.HasNull = true;
      out.id = CharCode::kUtf7;
      break;
    case DetectResult::kUtf8:
      out.text = decoder.Decode(kCodePageUtf8, bytes);
      out.id = CharCode::kUtf8;
      break;
    default:
      out.text = decoder.Decode(kCodePageSjis, bytes);
      break;
  }
  if (out.text.empty()) out.id = CharCode::kSjis;
  return out;
}

}  // namespace zk
