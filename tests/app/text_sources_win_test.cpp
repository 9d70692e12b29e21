// Every kind of text reaching the text page through the dispatch: each
// encoding, MP3 tags, an outline document and a converted office document.
#include <richedit.h>

#include <initializer_list>

#include "base/win_text.h"
#include "peers/xdoc2txt_standin.h"
#include "support/main_window_fixture.h"

namespace zk {
namespace {

using TextSourcesTest = test::MainWindowFixture;

std::string Bytes(std::initializer_list<unsigned> list) {
  std::string out;
  for (unsigned b : list) out += static_cast<char>(b);
  return out;
}

std::string Utf16(const std::u16string& text, bool big_endian, bool mark) {
  std::string out;
  std::u16string all = mark ? u"\uFEFF" + text : text;
  for (char16_t c : all) {
    char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
    out += big_endian ? hi : lo;
    out += big_endian ? lo : hi;
  }
  return out;
}

const std::u16string kText = u"日本語のテキスト\r\n二行目です\r\n";

TEST_F(TextSourcesTest, EachEncodingShowsItsTextAndName) {
  struct Case {
    const wchar_t* name;
    std::string bytes;
    std::u16string status;
  };
  const Case cases[] = {
      {L"sjis.txt",
       Bytes({0x93, 0xFA, 0x96, 0x7B, 0x8C, 0xEA, 0x82, 0xCC, 0x83, 0x65, 0x83, 0x4C, 0x83, 0x58, 0x83, 0x67, 0x0D,
              0x0A, 0x93, 0xF1, 0x8D, 0x73, 0x96, 0xDA, 0x82, 0xC5, 0x82, 0xB7, 0x0D, 0x0A}),
       u"[S-JIS]   2 Lines"},
      {L"euc.txt",
       Bytes({0xC6, 0xFC, 0xCB, 0xDC, 0xB8, 0xEC, 0xA4, 0xCE, 0xA5, 0xC6, 0xA5, 0xAD, 0xA5, 0xB9, 0xA5, 0xC8, 0x0D,
              0x0A, 0xC6, 0xF3, 0xB9, 0xD4, 0xCC, 0xDC, 0xA4, 0xC7, 0xA4, 0xB9, 0x0D, 0x0A}),
       u"[EUC]   2 Lines"},
      {L"jis.txt",
       "\x1B$BF|K\\8l$N%F%-%9%H\x1B(B\r\n\x1B$BFs9TL\\$G$9\x1B(B\r\n", u"[JIS]   2 Lines"},
      {L"utf8.txt", Utf16ToUtf8(kText), u"[UTF8]   2 Lines"},
      {L"utf8bom.txt", "\xEF\xBB\xBF" + Utf16ToUtf8(kText), u"[UTF8(BOM)]   2 Lines"},
      {L"utf7.txt", "+ZeVnLIqeMG4wxjCtMLkwyA-\r\n+ToyITHbuMGcwWQ-\r\n", u"[UTF7]   2 Lines"},
      {L"le.txt", Utf16(kText, false, true), u"[Unicode]   2 Lines"},
      {L"be.txt", Utf16(kText, true, true), u"[Big Endian]   2 Lines"},
  };
  auto form = MakeForm();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::string(c.name, c.name + wcslen(c.name)));
    auto path = dir_.Child(c.name);
    ASSERT_TRUE(test::WriteFileBytes(path, c.bytes));
    form->ClearView(true);
    form->DispatchFile(path, false);
    EXPECT_EQ(form->ViewFileType, vfText);
    EXPECT_EQ(form->Status(0), c.status);
    EXPECT_EQ(form->text_page().RichEditURL().Text(), kText);
  }
}

TEST_F(TextSourcesTest, Mp3ShowsItsSixLines) {
  // An ID3v1.1 tag at the end of a file of silence.
  std::string tag = "TAG";
  auto field = [&](std::string s, size_t n) { s.resize(n, '\0'); tag += s; };
  field("Song", 30);
  field("Singer", 30);
  field("Record", 30);
  field("1999", 4);
  field("comment", 28);
  tag += std::string("\0\x05", 2);
  tag += static_cast<char>(13);
  auto path = dir_.Child(L"song.MP3");
  ASSERT_TRUE(test::WriteFileBytes(path, std::string(1000, '\xFF') + tag));
  auto form = MakeForm();
  form->DispatchFile(path, false);
  EXPECT_EQ(form->ViewFileType, vfText);
  EXPECT_EQ(form->text_page().RichEditURL().Text(),
            u"FileName\t:song.MP3\r\nTitle\t\t:Song\r\nAuthor\t\t:Singer\r\nAlbum\t\t:Record\r\nGenre\t\t:13\r\n"
            u"Year\t\t:1999");

  // With the summary switched off the file goes on to the other views.
  test::ChangeSettings(*form, [&](Settings& s) { s.ShowID3Tag = false; });
  form->ClearView(true);
  form->DispatchFile(path, false);
  EXPECT_NE(form->text_page().RichEditURL().Text().substr(0, 9), u"FileName\t");
}

TEST_F(TextSourcesTest, OutlineDocumentShowsItsFirstChapterWithFormatting) {
  std::string doc =
      "<group>\r\n<chapter>最初の章\t\r\n<nodefont>MS UI Gothic\r\n<level>1\r\n<attribute>0\r\n<content>\r\n"
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Gothic;}}\r\nplain {\\b bold} plain\\par\r\n}\r\n</content>\r\n</group>\r\n"
      "<group>\r\n<chapter>Second\r\n<attribute>0\r\n<content>\r\nnot shown\r\n</content>\r\n</group>\r\n";
  WinAnsiCodec ansi;
  auto path = dir_.Child(L"notes.nna");
  ASSERT_TRUE(test::WriteFileBytes(path, ansi.Encode(Utf8ToUtf16(doc))));
  auto form = MakeForm();
  form->DispatchFile(path, false);
  EXPECT_EQ(form->ViewFileType, vfText);
  std::u16string text = form->text_page().RichEditURL().Text();
  EXPECT_EQ(text.substr(0, 5), u"最初の章\t");
  size_t bold_at = text.find(u"bold");
  ASSERT_NE(bold_at, std::u16string::npos) << std::string(text.begin(), text.end());
  EXPECT_EQ(text.find(u"not shown"), std::u16string::npos);

  HWND edit = form->text_page().RichEditURL().hwnd();
  auto is_bold = [&](LONG at) {
    CHARRANGE r{at, at + 1};
    SendMessageW(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    SendMessageW(edit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    return (cf.dwEffects & CFE_BOLD) != 0;
  };
  // Positions in the control count a line end as one character.
  LONG first_line = static_cast<LONG>(text.find(u"\r\n"));
  LONG bold = static_cast<LONG>(bold_at) - 1;
  EXPECT_TRUE(is_bold(bold));
  EXPECT_FALSE(is_bold(first_line + 1));
}

TEST_F(TextSourcesTest, ConvertedDocumentShowsAllTheConverterPrinted) {
  auto form = MakeForm();
  form->SetConverterPath(FromWide(xdoc::StandinPath()));
  auto path = dir_.Child(L"report_large_stderr.DOCX");
  ASSERT_TRUE(test::WriteFileBytes(path, "placeholder"));
  form->DispatchFile(path, false);
  EXPECT_EQ(form->ViewFileType, vfText);
  std::u16string text = form->text_page().RichEditURL().Text();
  EXPECT_GT(text.size(), 8192u * 4);
  EXPECT_NE(text.find(u"line 00001"), std::u16string::npos);
  EXPECT_NE(text.find(Ascii(xdoc::kLargeEndLine)), std::u16string::npos);
  EXPECT_NE(text.find(Ascii(xdoc::kStderrWarning)), std::u16string::npos);

  // A plain text file is not the converter's.
  auto plain = dir_.Child(L"report.txt");
  ASSERT_TRUE(test::WriteFileBytes(plain, "just text"));
  form->ClearView(true);
  form->DispatchFile(plain, false);
  EXPECT_EQ(form->text_page().RichEditURL().Text(), u"just text");
}

}  // namespace
}  // namespace zk
