// Cutting a long text into pieces that end at line ends, for showing it in
// stages: the first screen at once, the rest piece by piece.
#pragma once

#include <cstddef>
#include <string_view>

namespace zk {

// The length of the piece that starts text: up to and including the end of
// line number max_lines (0: no line limit), but no longer than max_units (then cut after the last
// line end inside, or at max_units when there is none). The whole text when it
// is shorter.
size_t PieceLength(std::u16string_view text, size_t max_lines, size_t max_units);

}  // namespace zk
