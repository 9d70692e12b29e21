#include "text/text_pieces.h"

namespace zk {

size_t PieceLength(std::u16string_view text, size_t max_lines, size_t max_units) {
  size_t limit = text.size() < max_units ? text.size() : max_units;
  size_t lines = 0, last_end = 0;
  for (size_t i = 0; i < limit; ++i) {
    char16_t c = text[i];
    if (c == u'\n' || (c == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n'))) {
      last_end = i + 1;
      if (max_lines > 0 && ++lines >= max_lines) return last_end;
    }
  }
  if (limit == text.size()) return limit;
  if (last_end > 0) return last_end;
  // A line longer than a piece: never cut a surrogate pair apart, nor a CR
  // from its LF (the control would show an extra empty line).
  size_t cut = limit;
  if (cut > 0 && text[cut - 1] >= 0xD800 && text[cut - 1] <= 0xDBFF) --cut;
  if (cut > 0 && text[cut - 1] == u'\r' && text[cut] == u'\n') cut = cut > 1 ? cut - 1 : cut + 1;
  return cut;
}

}  // namespace zk
