// The decisions of the search-window watcher that need no window: which
// window is the search window, which status texts name a file, which key
// steps the result list, and how often the missing-status-bar notice shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zk {

// Window classes of the search window's contract.
inline constexpr char16_t kSearchWindowClass[] = u"EVERYTHING";
inline constexpr char16_t kSearchStatusBarClass[] = u"msctls_statusbar32";
inline constexpr char16_t kSearchResultListClass[] = u"EVERYTHING_LISTVIEW";

// The search window's caption contains "everything" in any letter case.
bool IsSearchWindowCaption(std::u16string_view caption);

// A status text names a file only when it holds a backslash; counts and
// messages hold none.
bool NamesPath(std::u16string_view status_text);

// What a poll does with the status text it read.
enum class SelectionChange {
  kSame,    // the file on view is still selected
  kNoPath,  // something else, but not a path: nothing changes
  kNew,     // a new path to show
};
SelectionChange ClassifySelection(std::u16string_view status_text, std::u16string_view selected_file);

// The key that moves the result list for a direction code: 0 End, 1 Down,
// 999 Home, anything else Up.
uint8_t StepKeyFor(int direction);

// The watcher's states as the hint of the watch command shows them.
enum class WatcherState { kOff, kAbsent, kFollowing };
// Caption, a carriage return and the state's word.
std::u16string WatcherHint(std::u16string_view caption, WatcherState state);

// Bytes to reserve in the other process for a status text of `length`
// characters: room for the text and its terminator (never less than the
// customary 1000 bytes) plus some slack, rounded up to whole pages, so that
// a text that grows a little between asking its length and copying it still
// lands in memory we own.
size_t ExchangeBytesFor(size_t length);

// Descendant windows looked at per search, at most. A search window has a
// few dozen; a hostile one with many thousands must not stall every poll.
inline constexpr size_t kMaxDescendantsSearched = 4096;

// A notice that shows once when its condition begins and stays quiet while
// the condition lasts (the poll sees the condition ten times a second).
class OnceWhileLasting {
 public:
  // Reports the condition of this poll; true when the notice is due now.
  bool Due(bool condition) {
    const bool due = condition && !lasting_;
    lasting_ = condition;
    return due;
  }

 private:
  bool lasting_ = false;
};

}  // namespace zk
