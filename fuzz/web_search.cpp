// The query escaping of the web search: only safe characters leave it, and
// unescaping gives back the bytes up to the first NUL.
#include "base/text.h"
#include "text/web_search.h"
#include "fuzz_input.h"

using namespace zk;

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;  // the escaping writes lower-case digits only
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string escaped = EscapeQuery(bytes);
  std::string back;
  for (size_t i = 0; i < escaped.size(); ++i) {
    const char c = escaped[i];
    const bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      std::string_view("@!$'()*-._").find(c) != std::string_view::npos;
    if (c == '%') {
      fuzz::Require(i + 2 < escaped.size() && HexDigit(escaped[i + 1]) >= 0 && HexDigit(escaped[i + 2]) >= 0,
                    "bad escape");
      back += static_cast<char>(HexDigit(escaped[i + 1]) * 16 + HexDigit(escaped[i + 2]));
      i += 2;
    } else {
      fuzz::Require(c == '+' || safe, "unsafe character in a query");
      back += c == '+' ? ' ' : c;
    }
  }
  fuzz::Require(back == bytes.substr(0, bytes.find('\0')), "unescaped query differs");
  const std::u16string text = Utf8ToUtf16(bytes);
  fuzz::Require(WebSearchAddress(WebSearchKindFromTag(size & 1), text).find(u' ') == std::u16string::npos,
                "space in an address");
  return 0;
}
