#include "base/string_list.h"

#include <gtest/gtest.h>

namespace zk {
namespace {

using List = std::vector<std::u16string>;

TEST(StringListTest, UnquotedCommasAndSpacesSeparateItems) {
  EXPECT_EQ(SplitCommaText(u".MOV,.FLV, .OGG  .MKV,,\t.WAV,"), (List{u".MOV", u".FLV", u".OGG", u".MKV", u".WAV"}));
  EXPECT_EQ(SplitCommaText(u""), List{});
  EXPECT_EQ(SplitCommaText(u" , ,"), List{});
}

TEST(StringListTest, QuotedItemsHoldSpacesCommasAndDoubledQuotes) {
  EXPECT_EQ(SplitCommaText(u"\"a b\",\"c,d\",\"say \"\"hi\"\"\",\"\",e"),
            (List{u"a b", u"c,d", u"say \"hi\"", u"", u"e"}));
  // An unclosed quote takes the rest; text glued to a closing quote starts a new item.
  EXPECT_EQ(SplitCommaText(u"x,\"open, end"), (List{u"x", u"open, end"}));
  EXPECT_EQ(SplitCommaText(u"\"a\"b"), (List{u"a", u"b"}));
}

TEST(StringListTest, JoinQuotesOnlyWhatNeedsItAndSplitsBackTheSame) {
  const List items{u".MOV", u"two words", u"a,b", u"q\"uote", u"", u"tab\there", u".ＭＰ３"};
  const std::u16string text = JoinCommaText(items);
  EXPECT_EQ(text, u".MOV,\"two words\",\"a,b\",\"q\"\"uote\",\"\",\"tab\there\",.ＭＰ３");
  EXPECT_EQ(SplitCommaText(text), items);
  EXPECT_EQ(JoinCommaText({}), u"");
}

TEST(StringListTest, ContainsIgnoresLetterCase) {
  const List list{u".MOV", u".Pdf", u".ＭＰ３"};
  EXPECT_TRUE(ListContainsIgnoreCase(list, u".mov"));
  EXPECT_TRUE(ListContainsIgnoreCase(list, u".PDF"));
  EXPECT_TRUE(ListContainsIgnoreCase(list, u".ｍｐ３"));
  EXPECT_FALSE(ListContainsIgnoreCase(list, u".mo"));
  EXPECT_FALSE(ListContainsIgnoreCase(list, u""));
}

}  // namespace
}  // namespace zk
