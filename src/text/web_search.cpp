#include "text/web_search.h"

#include <cstdio>

#include "base/text.h"

namespace zk {

namespace {

bool KeptAsIs(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  switch (c) {
    case '@': case '!': case '$': case '\'': case '(': case ')': case '*': case '-': case '.': case '_':
      return true;
    default:
      return false;
  }
}

}  // namespace

WebSearchKind WebSearchKindFromTag(int tag) {
  return tag == 0 ? WebSearchKind::kWeb : WebSearchKind::kEncyclopedia;
}

std::string EscapeQuery(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 3);
  for (char ch : bytes) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c == 0) break;
    if (KeptAsIs(c)) {
      out += ch;
    } else if (c == ' ') {
      out += '+';
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%.2x", c);
      out += hex;
    }
  }
  return out;
}

std::u16string WebSearchAddress(WebSearchKind kind, std::u16string_view text) {
  std::u16string address = kind == WebSearchKind::kWeb
                               ? u"http://www.google.co.jp/search?ie=&oe=&hl=ja&q="
                               : u"http://ja.wikipedia.org/w/wiki.phtml?search=";
  return address + Ascii(EscapeQuery(Utf16ToUtf8(text)));
}

}  // namespace zk
