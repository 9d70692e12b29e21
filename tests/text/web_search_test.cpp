#include "text/web_search.h"

#include <gtest/gtest.h>

#include <string>

#include "base/text.h"

namespace zk {
namespace {

TEST(WebSearchTest, EscapesQueryBytes) {
  EXPECT_EQ(EscapeQuery("a b+c/d"), "a+b%2bc%2fd");
  EXPECT_EQ(EscapeQuery("x_y.z!"), "x_y.z!");
  EXPECT_EQ(EscapeQuery("AZaz09@!$'()*-._"), "AZaz09@!$'()*-._");
  EXPECT_EQ(EscapeQuery("#%&=?~"), "%23%25%26%3d%3f%7e");
  EXPECT_EQ(EscapeQuery("line\r\nnext\t"), "line%0d%0anext%09");
  EXPECT_EQ(EscapeQuery("\xE3\x81\x82\xFF\x80"), "%e3%81%82%ff%80");
  EXPECT_EQ(EscapeQuery(""), "");
}

TEST(WebSearchTest, EscapingStopsAtTheFirstNulByte) {
  EXPECT_EQ(EscapeQuery(std::string("ab\0cd", 5)), "ab");
  EXPECT_EQ(EscapeQuery(std::string("\0x", 2)), "");
}

TEST(WebSearchTest, AddressesCarryTheTextAsEscapedUtf8) {
  EXPECT_EQ(WebSearchAddress(WebSearchKind::kWeb, u"あい"),
            u"http://www.google.co.jp/search?ie=&oe=&hl=ja&q=%e3%81%82%e3%81%84");
  EXPECT_EQ(WebSearchAddress(WebSearchKind::kEncyclopedia, u"C++ 言語"),
            u"http://ja.wikipedia.org/w/wiki.phtml?search=C%2b%2b+%e8%a8%80%e8%aa%9e");
  // A selection in the rich-edit control breaks lines with CR.
  EXPECT_EQ(WebSearchAddress(WebSearchKind::kWeb, u"a\rb"), u"http://www.google.co.jp/search?ie=&oe=&hl=ja&q=a%0db");
  // A character outside the basic plane goes as its four UTF-8 bytes.
  EXPECT_EQ(WebSearchAddress(WebSearchKind::kEncyclopedia, u"\U0001F600"),
            u"http://ja.wikipedia.org/w/wiki.phtml?search=%f0%9f%98%80");
}

TEST(WebSearchTest, TagZeroIsTheWebSearchAnyOtherTheEncyclopedia) {
  EXPECT_EQ(WebSearchKindFromTag(0), WebSearchKind::kWeb);
  EXPECT_EQ(WebSearchKindFromTag(1), WebSearchKind::kEncyclopedia);
  EXPECT_EQ(WebSearchKindFromTag(-1), WebSearchKind::kEncyclopedia);
}

}  // namespace
}  // namespace zk
