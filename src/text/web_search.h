// Addresses for searching the web for a piece of selected text.
#pragma once

#include <string>
#include <string_view>

namespace zk {

enum class WebSearchKind {
  kWeb,           // Google's Japanese web search
  kEncyclopedia,  // the Japanese-language Wikipedia
};

// The search commands share one handler and tell themselves apart by tag:
// 0 is the web search, anything else the encyclopedia.
WebSearchKind WebSearchKindFromTag(int tag);

// Percent-escapes bytes for a query value, up to the first NUL byte: letters,
// digits, "@" and !$'()*-._ stay, a space becomes "+", every other byte "%xx"
// with lower-case hex digits.
std::string EscapeQuery(std::string_view bytes);

// The query address for the text, which is sent as escaped UTF-8.
std::u16string WebSearchAddress(WebSearchKind kind, std::u16string_view text);

}  // namespace zk
