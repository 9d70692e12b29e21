// The platform's code-page conversion against the portable decoders, and
// reading text files that others hold open.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "base/win_handles.h"
#include "base/win_text.h"
#include "support/test_files.h"
#include "text/text_file.h"
#include "text/win_code_page_decoder.h"

namespace zk {
namespace {

std::string Hex(std::u16string_view s) {
  std::ostringstream out;
  for (char16_t c : s) out << std::hex << static_cast<unsigned>(c) << ' ';
  return out.str();
}

std::string Hex(std::string_view s) {
  std::ostringstream out;
  for (char c : s) out << std::hex << static_cast<unsigned>(static_cast<unsigned char>(c)) << ' ';
  return out.str();
}

// Collects every input the two decoders disagree on and reports them all.
class Comparison {
 public:
  explicit Comparison(unsigned code_page) : code_page_(code_page) {}
  void Check(std::string_view bytes) {
    std::u16string platform = win_.Decode(code_page_, bytes), portable = portable_.Decode(code_page_, bytes);
    if (platform == portable) return;
    if (++count_ <= 40)
      report_ << "\n  " << Hex(bytes) << "-> platform " << Hex(platform) << "/ portable " << Hex(portable);
  }
  ~Comparison() { EXPECT_EQ(count_, 0) << "code page " << code_page_ << " disagreements:" << report_.str(); }

 private:
  unsigned code_page_;
  WinCodePageDecoder win_;
  PortableCodePageDecoder portable_;
  int count_ = 0;
  std::ostringstream report_;
};

std::string RandomBytes(std::mt19937& rng, const std::string& alphabet) {
  std::string s(rng() % 14, '\0');
  for (char& c : s) c = rng() % 3 ? alphabet[rng() % alphabet.size()] : static_cast<char>(rng() % 256);
  return s;
}

TEST(WinCodePageDecoder, Cp932MatchesTablesInEveryCode) {
  ASSERT_EQ(GetACP(), 932u) << "the tests run with the Japanese ANSI code page";
  Comparison cmp(932);
  for (int lead = 0; lead < 256; ++lead) {
    cmp.Check(std::string(1, static_cast<char>(lead)));
    for (int trail = 0; trail < 256; ++trail) cmp.Check(std::string{static_cast<char>(lead), static_cast<char>(trail)});
  }
  std::mt19937 rng(932);
  const std::string kAlphabet("A\0\n\x80\x81\x82\x9F\xA0\xB1\xE0\xEA\xFC\xFD\xFF", 14);
  for (int k = 0; k < 20000; ++k) cmp.Check(RandomBytes(rng, kAlphabet));
}

TEST(WinCodePageDecoder, Utf8MatchesOnValidAndBrokenSequences) {
  Comparison cmp(65001);
  for (const char* s : {"a\xC3\xA9\xE3\x81\x82", "\xF0\x9F\x98\x80", "\xEF\xBB\xBF" "x", "\xE0\x80\x80", "\xED\xA0\x80",
                        "\xF4\x90\x80\x80", "\xE3\x41", "\xC0\xAF", "\xF8\x80\x80\x80\x80"})
    cmp.Check(s);
  std::mt19937 rng(65001);
  const std::string kAlphabet = "A\x80\x8F\x90\x9F\xA0\xBF\xC0\xC2\xDF\xE0\xE3\xED\xEF\xF0\xF4\xF5";
  for (int k = 0; k < 30000; ++k) cmp.Check(RandomBytes(rng, kAlphabet));
}

TEST(WinCodePageDecoder, Utf7MatchesOnRunsAndStrayBytes) {
  Comparison cmp(65000);
  for (const char* s : {"a+-b", "+MEIwRA-x", "+MEI!A", "+AAA-", "a+", "+ME\xE3+I-", "+/v8-", "++-", "+\xE3"})
    cmp.Check(s);
  std::mt19937 rng(65000);
  const std::string kAlphabet = "+-/AMEIwz09!\xE3 \n";
  for (int k = 0; k < 30000; ++k) cmp.Check(RandomBytes(rng, kAlphabet));
}

TEST(WinCodePageDecoder, EmptyInputGivesNothing) {
  EXPECT_EQ(WinCodePageDecoder().Decode(932, ""), u"");
}

UniqueHandle OpenHeld(const std::u16string& path, DWORD access, DWORD share) {
  return UniqueHandle(CreateFileW(W(path), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

TEST(ReadTextFile, ReadsAndDecodes) {
  test::TempDir dir;
  std::u16string sjis = dir.Child(L"sjis.txt"), utf16 = dir.Child(L"be.txt"), zero = dir.Child(L"zero.txt");
  ASSERT_TRUE(test::WriteFileBytes(sjis, "\x82\xA0\x82\xA2\r\n"));
  ASSERT_TRUE(test::WriteFileBytes(utf16, std::string("\xFE\xFF\x30\x42\0a", 6)));
  ASSERT_TRUE(test::WriteFileBytes(zero, std::string("ab\0c", 4)));
  TextFile a = ReadTextFile(sjis);
  EXPECT_EQ(a.id, CharCode::kSjis);
  EXPECT_EQ(a.text, u"あい\r\n");
  EXPECT_FALSE(a.ReadError);
  TextFile b = ReadTextFile(utf16);
  EXPECT_EQ(b.id, CharCode::kUtf16Be);
  EXPECT_EQ(b.text, u"あa");
  TextFile c = ReadTextFile(zero);
  EXPECT_TRUE(c.HasNull);
  EXPECT_EQ(c.text, u"ab c");
  EXPECT_EQ(ReadFileBytes(sjis, 3), std::optional<std::string>("\x82\xA0\x82"));
}

TEST(ReadTextFile, ReadsFileThatAnotherHolds) {
  test::TempDir dir;
  std::u16string path = dir.Child(L"held.txt");
  ASSERT_TRUE(test::WriteFileBytes(path, "\xE3\x81\x82 log"));
  {
    // A writer that lets others read and write: the first open, which denies
    // write access, fails; the second, sharing everything, succeeds.
    UniqueHandle writer = OpenHeld(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(writer);
    TextFile t = ReadTextFile(path);
    EXPECT_FALSE(t.ReadError);
    EXPECT_EQ(t.id, CharCode::kUtf8);
    EXPECT_EQ(t.text, u"あ log");
  }
  {
    UniqueHandle reader = OpenHeld(path, GENERIC_READ, FILE_SHARE_READ);
    ASSERT_TRUE(reader);
    EXPECT_FALSE(ReadTextFile(path).ReadError);
  }
  {
    UniqueHandle exclusive = OpenHeld(path, GENERIC_READ, 0);
    ASSERT_TRUE(exclusive);
    TextFile t = ReadTextFile(path);
    EXPECT_TRUE(t.ReadError);
    EXPECT_EQ(t.id, CharCode::kNone);
    EXPECT_EQ(t.text, u"");
    EXPECT_FALSE(ReadFileBytes(path, kReadAllBytes));
  }
  EXPECT_TRUE(ReadTextFile(dir.Child(L"missing.txt")).ReadError);
}

}  // namespace
}  // namespace zk
