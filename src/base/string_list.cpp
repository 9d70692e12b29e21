#include "base/string_list.h"

#include "base/text.h"

namespace zk {
namespace {

constexpr char16_t kQuote = u'"';
constexpr char16_t kComma = u',';

// Control characters count as spaces, as they do in the settings file's lists.
bool IsSpace(char16_t c) { return c <= u' '; }

bool NeedsQuotes(std::u16string_view item) {
  if (item.empty()) return true;  // "" keeps an empty item through a round trip
  for (char16_t c : item)
    if (IsSpace(c) || c == kQuote || c == kComma) return true;
  return false;
}

}  // namespace

std::vector<std::u16string> SplitCommaText(std::u16string_view text) {
  std::vector<std::u16string> items;
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    const char16_t c = text[i];
    if (IsSpace(c) || c == kComma) {
      ++i;
      continue;
    }
    std::u16string item;
    if (c == kQuote) {
      // Up to the closing quote; "" inside stands for one quote. An unclosed
      // quote takes the rest of the text.
      ++i;
      while (i < n) {
        if (text[i] == kQuote) {
          if (i + 1 < n && text[i + 1] == kQuote) {
            item += kQuote;
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        item += text[i++];
      }
    } else {
      while (i < n && !IsSpace(text[i]) && text[i] != kComma) item += text[i++];
    }
    items.push_back(std::move(item));
  }
  return items;
}

std::u16string JoinCommaText(const std::vector<std::u16string>& items) {
  std::u16string out;
  for (size_t k = 0; k < items.size(); ++k) {
    if (k > 0) out += kComma;
    const std::u16string& item = items[k];
    if (!NeedsQuotes(item)) {
      out += item;
      continue;
    }
    out += kQuote;
    for (char16_t c : item) {
      if (c == kQuote) out += kQuote;
      out += c;
    }
    out += kQuote;
  }
  return out;
}

bool ListContainsIgnoreCase(const std::vector<std::u16string>& list, std::u16string_view text) {
  for (const auto& item : list)
    if (EqualsIgnoreCase(item, text)) return true;
  return false;
}

}  // namespace zk
