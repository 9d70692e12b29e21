// The member list's rules: lines, member files, stepping and archive links.
#include <gtest/gtest.h>

#include "app/model/archive_browsing.h"
#include "base/text.h"

namespace zk {
namespace {

TEST(ArchiveBrowsing, ListLineAndTheMemberItNames) {
  EXPECT_EQ(ArchiveListLine(u"dir\\a.png", u"1,234", u"2025/03/14", u"13:45:58"),
            u"dir\\a.png\t   1,234 2025/03/14 13:45:58");
  // A member without a time keeps the separating spaces.
  EXPECT_EQ(ArchiveListLine(u"b.txt", u"0", u"", u""), u"b.txt\t   0  ");
  EXPECT_EQ(MemberNameOfLine(u"dir\\a.png\t   1,234 2025/03/14 13:45:58"), u"dir\\a.png");
  EXPECT_EQ(MemberNameOfLine(u"no tab"), u"no tab");
  EXPECT_EQ(MemberNameOfLine(u""), u"");
}

TEST(ArchiveBrowsing, WholeArchiveOnlyForNamesWithBothMarks) {
  EXPECT_TRUE(ExtractsWholeArchive(u"同[1].png"));
  EXPECT_FALSE(ExtractsWholeArchive(u"同じ.png"));
  EXPECT_FALSE(ExtractsWholeArchive(u"[1].png"));
}

TEST(ArchiveBrowsing, MembersAreShownFromInsideTheWorkFolder) {
  const struct {
    const char16_t* name;
    bool plain;
    const char16_t* file;
  } kCases[] = {
      {u"a.png", true, u"W\\zk1.tmp\\a.png"},
      {u"dir/sub\\a.png", true, u"W\\zk1.tmp\\a.png"},
      {u"..\\..\\evil.exe", false, u"W\\zk1.tmp\\evil.exe"},
      {u"dir/../a.txt", false, u"W\\zk1.tmp\\a.txt"},
      {u"\\windows\\a.txt", false, u"W\\zk1.tmp\\a.txt"},
      {u"/etc/a.txt", false, u"W\\zk1.tmp\\a.txt"},
      {u"C:\\a.txt", false, u"W\\zk1.tmp\\a.txt"},
      {u"C:a.txt", false, u"W\\zk1.tmp\\a.txt"},
      {u"a..b.txt", true, u"W\\zk1.tmp\\a..b.txt"},
      {u"dir\\", true, u""},
      {u"..", false, u""},
      {u"dir\\.", true, u""},
      {u"", false, u""},
      {u"con", true, u""},
      {u"dir\\NUL.txt", true, u""},
      {u"COM1", true, u""},
      {u"LPT9.png", true, u""},
      {u"COM0", true, u"W\\zk1.tmp\\COM0"},
      {u"console.txt", true, u"W\\zk1.tmp\\console.txt"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(IsPlainMemberPath(c.name), c.plain) << Utf16ToUtf8(c.name);
    EXPECT_EQ(MemberViewFile(u"W\\zk1.tmp", c.name), c.file) << Utf16ToUtf8(c.name);
  }
  EXPECT_EQ(MemberViewFile(u"W\\zk1.tmp\\", u"a"), u"W\\zk1.tmp\\a");
  const std::u16string long_name(600, u'x');
  EXPECT_EQ(MemberViewFile(u"W", long_name), u"W\\" + long_name);
}

TEST(ArchiveBrowsing, SteppingThroughMembers) {
  const struct {
    int tag, current, count;
    bool wrap;
    int expected;
  } kCases[] = {
      {-1, 0, 3, false, 1},  {-1, 2, 3, false, 2},  {-1, 2, 3, true, 0},  // next
      {1, 2, 3, false, 1},   {1, 0, 3, false, 0},   {1, 0, 3, true, 2},   // previous
      {999, 1, 3, false, 0}, {-999, 1, 3, false, 2},                     // first, last
      {120, 1, 3, false, 0}, {-120, 1, 3, false, 2},                     // a wheel's delta
      {-1, -1, 3, false, 0}, {1, -1, 3, false, 2},                       // nothing selected
      {-1, 0, 1, true, 0},   {1, 0, 0, true, -1},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(StepMemberIndex(c.tag, c.current, c.count, c.wrap), c.expected)
        << c.tag << " " << c.current << " " << c.count << " " << c.wrap;
}

TEST(ArchiveBrowsing, ArchiveLinkLines) {
  EXPECT_FALSE(ReadArcLink({u"a.zip", u"x.png"}));
  const std::optional<ArcLink> link = ReadArcLink({u"a.zip", u"x.png", u"123", u"ignored"});
  ASSERT_TRUE(link);
  EXPECT_EQ(link->archive, u"a.zip");
  EXPECT_EQ(link->member, u"x.png");
  EXPECT_EQ(link->size_text, u"123");
  const struct {
    const char16_t* text;
    std::optional<uint32_t> size;
  } kSizes[] = {{u"123", 123}, {u" 0 ", 0}, {u"abc", std::nullopt}, {u"-5", std::nullopt},
                {u"", std::nullopt}, {u"99999999999", std::nullopt}, {u"2147482623", 2147482623u},
                {u"2147482624", std::nullopt}};
  for (const auto& c : kSizes) EXPECT_EQ(ArcLinkSize(c.text), c.size) << Utf16ToUtf8(c.text);
}

TEST(ArchiveBrowsing, FailureStatusNamesTheArchiversLastWordsOrItsCode) {
  const struct {
    int code;
    const char16_t* output;
    const char16_t* status;
  } kCases[] = {{0x8019, u"extracted: a\r\nfailed: b.txt\r\n\r\n", u"E: failed: b.txt"},
                {0x8017, u"", u"E: 0x8017"},
                {0, u" \r\n", u"E: 0x0"}};
  for (const auto& c : kCases) EXPECT_EQ(ArchiverFailureStatus(u"E", c.code, c.output), c.status);
}

}  // namespace
}  // namespace zk
