#include "text/outline_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/latin1_codec.h"
#include "base/text.h"

namespace zk {
namespace {

using namespace std::string_literals;

std::string Lines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

OutlineChapter Read(const std::string& bytes) {
  test::Latin1Codec codec;
  return ReadOutlineDocument(bytes, codec);
}

// A document as the outline editor writes it: groups of chapters with header
// lines up to "<attribute>", bodies in "<content>".
const std::vector<std::string> kThreeChapters = {
    "<group>",
    "<chapter>First\t",
    "<nodefont>MS UI Gothic",
    "<level>1",
    "<attribute>0",
    "<content>",
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Gothic;}}",
    "plain {\\b bold} plain\\par",
    "}",
    "</content>",
    "</group>",
    "<group>",
    "<chapter>Second",
    "<attribute>0",
    "<content>",
    "second body",
    "</content>",
    "</group>",
    "<chapter>Third",
    "<attribute>0",
    "third body",
};

TEST(OutlineDocumentTest, FirstChapterOnlyWithItsTitleAndRichTextBody) {
  OutlineChapter c = Read(Lines(kThreeChapters));
  EXPECT_TRUE(c.showed);
  // After "<group>" the trailing tab stays part of the title.
  EXPECT_EQ(c.title, u"First\t");
  EXPECT_EQ(c.rich_text, "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Gothic;}}\r\nplain {\\b bold} plain\\par\r\n}");
}

TEST(OutlineDocumentTest, ChapterLineOnItsOwnLosesOneTrailingTab) {
  OutlineChapter c = Read(Lines({"<CHAPTER>Word\t", "header", "<attribute>", "body text", "<chapter>Next",
                                 "<attribute>", "next body"}));
  EXPECT_EQ(c.title, u"Word");
  EXPECT_EQ(c.rich_text, "body text");
  EXPECT_EQ(Read(Lines({"<chapter>Two tabs\t\t", "<attribute>"})).title, u"Two tabs\t");
  // A second chapter line ends reading even after a group's chapter.
  c = Read(Lines({"<group>", "<chapter>A", "<attribute>", "aa", "<chapter>B", "<attribute>", "bb"}));
  EXPECT_EQ(c.title, u"A");
  EXPECT_EQ(c.rich_text, "aa");
}

TEST(OutlineDocumentTest, BodyLinesBeforeTheFirstChapterAreShownToo) {
  OutlineChapter c = Read(Lines({"before", "<chapter>T", "<attribute>", "after"}));
  EXPECT_EQ(c.title, u"T");
  EXPECT_EQ(c.rich_text, "before\r\nafter");
}

TEST(OutlineDocumentTest, TagLinesAreLeftOutOnlyWhenTheyMatch) {
  OutlineChapter c = Read(Lines({"<chapter>T", "<attribute>", "<content>", "</content>", "</group>", "<imagefile>a.bmp",
                                 "<linkmark>1", "<anchormark>", "<readonly>1", "<content> ", "x</group>", "}\\par",
                                 "<nodefont>x", "<attribute>x"}));
  // Exact lines must match exactly; marks only at the start; "}\par" only ends
  // a picture; "<nodefont>" and "<attribute>" only mean something in a header.
  EXPECT_EQ(c.rich_text, "<content> \r\nx</group>\r\n}\\par\r\n<nodefont>x\r\n<attribute>x");
}

TEST(OutlineDocumentTest, LineAfterGroupThatIsNoChapterIsPassedOver) {
  OutlineChapter c = Read(Lines({"<group>", "skipped", "kept", "<group>", "<chapter>T", "<attribute>", "body"}));
  EXPECT_EQ(c.title, u"T");
  EXPECT_EQ(c.rich_text, "kept\r\nbody");
}

TEST(OutlineDocumentTest, PicturesAndTheTwoLinesOpeningThemAreDropped) {
  OutlineChapter c = Read(Lines({"<chapter>T", "<attribute>", "one", "two", "{\\*\\shppict", "{\\pict\\wmetafile8",
                                 "0100090000035a00", "0a0b0c", "<chapter>inside the picture", "}", "}\\par", "three"}));
  EXPECT_EQ(c.rich_text, "one\r\ntwo\r\nthree");
  // With two body lines or fewer nothing is taken back.
  c = Read(Lines({"ab", "cd", "010009000003", "}\\par", "ef"}));
  EXPECT_EQ(c.rich_text, "ab\r\ncd\r\nef");
}

TEST(OutlineDocumentTest, UnclosedPictureHidesEverythingAfterIt) {
  OutlineChapter c = Read(Lines({"shown", "x", "y", "010009000003ff", "hidden", "<chapter>Late", "<attribute>"}));
  EXPECT_TRUE(c.showed);
  EXPECT_EQ(c.title, u"");
  EXPECT_EQ(c.rich_text, "shown");
}

TEST(OutlineDocumentTest, MissingAttributeLineEndsReading) {
  OutlineChapter c = Read(Lines({"early body", "<chapter>T", "never", "ends"}));
  EXPECT_EQ(c.title, u"T");
  EXPECT_EQ(c.rich_text, "early body");
  c = Read(Lines({"<group>", "<chapter>G", "<nodefont>"}));
  EXPECT_TRUE(c.showed);
  EXPECT_EQ(c.title, u"G");
  EXPECT_EQ(c.rich_text, "");
}

TEST(OutlineDocumentTest, TitleAloneOrNothing) {
  // A body of one character is too short to show; the title is shown alone.
  OutlineChapter c = Read(Lines({"<chapter>Only", "<attribute>", "x"}));
  EXPECT_TRUE(c.showed);
  EXPECT_EQ(c.title, u"Only");
  EXPECT_EQ(c.rich_text, "");
  // Nothing recognised: the other views get the file.
  for (std::string bytes : {""s, "x"s, Lines({"<content>", "</content>", "<chapter>", "<attribute>"}),
                            Lines({"<group>", "<chapter>", "<attribute>", "<group>", "<chapter>B"})}) {
    c = Read(bytes);
    EXPECT_FALSE(c.showed) << bytes;
    EXPECT_EQ(c.rich_text, "");
  }
}

TEST(OutlineDocumentTest, ByteOrderMarksAndLineBreaks) {
  test::Latin1Codec codec;
  EXPECT_EQ(ReadTextLines("a\r\nb\nc\rd\r\n\r\ne", codec), (std::vector<std::u16string>{u"a", u"b", u"c", u"d", u"", u"e"}));
  EXPECT_EQ(ReadTextLines("a\n", codec), (std::vector<std::u16string>{u"a"}));
  EXPECT_EQ(ReadTextLines("\n\n", codec), (std::vector<std::u16string>{u"", u""}));
  EXPECT_EQ(ReadTextLines("\xEF\xBB\xBF" "caf\xC3\xA9\r\nx", codec), (std::vector<std::u16string>{u"café", u"x"}));
  EXPECT_EQ(ReadTextLines("\xFF\xFE" "a\0\n\0\x42\x30"s, codec), (std::vector<std::u16string>{u"a", u"あ"}));
  EXPECT_EQ(ReadTextLines("\xFE\xFF\0a\0\r\0b\0"s, codec), (std::vector<std::u16string>{u"a", u"b"}));
  EXPECT_EQ(ReadTextLines("caf\xC3\xA9", codec), (std::vector<std::u16string>{u"caf\u00C3\u00A9"}));

  // The body goes back to the ANSI code page for the rich-text stream; the
  // title stays UTF-16.
  OutlineChapter c = ReadOutlineDocument("\xEF\xBB\xBF<chapter>Caf\xC3\xA9\n<attribute>\nd\xC3\xA9j\xC3\xA0\n", codec);
  EXPECT_EQ(c.title, u"Café");
  EXPECT_EQ(c.rich_text, "d\xE9j\xE0");
}

}  // namespace
}  // namespace zk
