#include "watcher/watch_rules.h"

#include "base/text.h"

namespace zk {

bool IsSearchWindowCaption(std::u16string_view caption) {
  static constexpr std::u16string_view kWord = u"everything";
  if (caption.size() < kWord.size()) return false;
  for (size_t i = 0; i + kWord.size() <= caption.size(); ++i)
    if (EqualsIgnoreCase(caption.substr(i, kWord.size()), kWord)) return true;
  return false;
}

bool NamesPath(std::u16string_view status_text) { return status_text.find(u'\\') != std::u16string_view::npos; }

SelectionChange ClassifySelection(std::u16string_view status_text, std::u16string_view selected_file) {
  if (status_text == selected_file) return SelectionChange::kSame;
  return NamesPath(status_text) ? SelectionChange::kNew : SelectionChange::kNoPath;
}

uint8_t StepKeyFor(int direction) {
  switch (direction) {
    case 0: return 0x23;    // End
    case 1: return 0x28;    // Down
    case 999: return 0x24;  // Home
    default: return 0x26;   // Up
  }
}

std::u16string WatcherHint(std::u16string_view caption, WatcherState state) {
  std::u16string hint(caption);
  hint += u'\r';
  switch (state) {
    case WatcherState::kOff: hint += u"Check Everything"; break;
    case WatcherState::kAbsent: hint += u"Everything Not found"; break;
    case WatcherState::kFollowing: hint += u"Everything is Alive"; break;
  }
  return hint;
}

size_t ExchangeBytesFor(size_t length) {
  constexpr size_t kPage = 4096, kCustomary = 1000, kGrowth = 512;
  size_t bytes = (length + 1) * sizeof(char16_t);
  if (bytes < kCustomary) bytes = kCustomary;
  return (bytes + kGrowth + kPage - 1) / kPage * kPage;
}

}  // namespace zk
