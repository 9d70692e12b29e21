#include "app/model/link_target.h"

#include "base/paths.h"
#include "base/text.h"
#include "base/text_file_codec.h"

namespace zk {
namespace {

// A separator inside a file name would shift the filter's name and pattern pairs.
std::u16string WithoutBars(std::u16string_view s) {
  std::u16string out;
  for (char16_t c : s)
    if (c != u'|') out += c;
  return out;
}

// Where the first line ends in bytes whose line breaks are single ASCII bytes
// (the ANSI code pages and UTF-8 never use CR or LF inside a character).
size_t FirstBreak(std::string_view bytes) {
  size_t at = bytes.find_first_of("\r\n");
  return at == std::string_view::npos ? bytes.size() : at;
}

size_t FirstBreak16(std::string_view bytes, bool big_endian) {
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto lo = static_cast<unsigned char>(bytes[big_endian ? i + 1 : i]);
    const auto hi = static_cast<unsigned char>(bytes[big_endian ? i : i + 1]);
    if (hi == 0 && (lo == '\r' || lo == '\n')) return i;
  }
  return bytes.size();
}

}  // namespace

std::u16string LinkTargetFilter(std::u16string_view target) {
  const std::u16string ext = WithoutBars(ExtractFileExt(target));
  std::u16string name = WithoutBars(ExtractFileName(target));
  // An empty name would end the platform's filter list at once.
  if (name.empty()) name = u"*" + ext;
  return name + u"|*" + ext + u"|全てのファイル|*.*";
}

std::string ReplaceFirstLine(std::string_view bytes, std::u16string_view line, const AnsiCodec& ansi) {
  const std::u16string first = OneLine(line);
  if (bytes.starts_with(kUtf8Bom)) {
    std::string_view body = bytes.substr(kUtf8Bom.size());
    return std::string(kUtf8Bom) + Utf16ToUtf8(first) + std::string(body.substr(FirstBreak(body)));
  }
  for (bool big_endian : {false, true}) {
    std::string_view bom = big_endian ? kUtf16BeBom : kUtf16LeBom;
    if (!bytes.starts_with(bom)) continue;
    std::string_view body = bytes.substr(bom.size());
    return std::string(bom) + EncodeUtf16Bytes(first, big_endian) + std::string(body.substr(FirstBreak16(body, big_endian)));
  }
  std::string_view rest = bytes.substr(FirstBreak(bytes));
  std::string encoded = ansi.Encode(first);
  if (ansi.Decode(encoded) == first && !StartsLikeByteOrderMark(encoded)) return encoded + std::string(rest);
  // The new path does not fit the code page (nothing may turn into "?"), or
  // its bytes would read as a byte-order mark.
  return std::string(kUtf8Bom) + Utf16ToUtf8(first) + Utf16ToUtf8(ansi.Decode(rest));
}

}  // namespace zk
