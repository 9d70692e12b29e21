#include "text/text_pieces.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

namespace zk {
namespace {

TEST(PieceLength, EndsAtLineEndsAndNeverInsideAPairOrACrLf) {
  const std::u16string pair = u"\U0001F600";
  struct Case {
    std::u16string text;
    size_t lines, units, length;
  } cases[] = {
      {u"ab\r\ncd\r\nef", 1, 100, 4},           // through the first CR LF
      {u"ab\r\ncd\r\nef", 0, 6, 4},             // the last line end inside the limit
      {u"ab\r\ncd", 5, 100, 6},                 // shorter than a piece: whole
      {u"abcdef", 0, 4, 4},                     // one long line: cut at the limit
      {u"abc" + pair + u"x", 0, 4, 3},         // not between the halves of a pair
      {u"abc\r\nx", 0, 4, 3},                   // not between CR and LF
      {u"\r\nabc", 0, 1, 2},                    // a CR LF at the very start stays whole
  };
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(PieceLength(cases[i].text, cases[i].lines, cases[i].units), cases[i].length) << "case " << i;
}

}  // namespace
}  // namespace zk
