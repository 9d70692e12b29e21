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
  // Never cut a surrogate pair apart.
  if (last_end == 0) return (limit > 0 && text[limit - 1] >= 0xD800 && text[limit - 1] <= 0xDBFF) ? limit - 1 : limit;
  return last_end;
}

}  // namespace zk
