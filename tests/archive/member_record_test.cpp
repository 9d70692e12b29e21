// DOS stamps, the completion of member records and the extra-stream names.
#include <gtest/gtest.h>

#include <cstring>

#include "archive/extra_streams.h"
#include "archive/member_record.h"

namespace zk {
namespace {

constexpr int64_t kNineHours = 9LL * 3600 * 10'000'000;  // Japan's local time minus UTC
constexpr uint16_t kDate = 0x5A6E;                        // 2025-03-14
constexpr uint16_t kTime = 0x6DBD;                        // 13:45:58
constexpr uint64_t kUtcTicks = 133864011580000000ull;    // 2025-03-14 04:45:58 UTC

uint64_t Ticks(const TFileTime& t) { return (uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime; }

TEST(MemberRecord, SplitsDosStamps) {
  const DosDate d = SplitDosDate(kDate);
  EXPECT_EQ(d.year, 2025);
  EXPECT_EQ(d.month, 3);
  EXPECT_EQ(d.day, 14);
  const DosTime t = SplitDosTime(kTime);
  EXPECT_EQ(t.hour, 13);
  EXPECT_EQ(t.minute, 45);
  EXPECT_EQ(t.second, 58);
  EXPECT_EQ(SplitDosDate(0xFFFF).year, 2107);
  EXPECT_EQ(SplitDosTime(0xFFFF).second, 62);
}

TEST(MemberRecord, DosStampsThatFormNoTime) {
  const struct {
    uint16_t date, time;
    bool valid;
  } kCases[] = {
      {kDate, kTime, true},
      {0x0021, 0, true},             // 1980-01-01 00:00:00
      {0, 0, false},                 // month 0
      {(44 << 9) | (2 << 5) | 29, 0, true},   // 2024-02-29
      {(45 << 9) | (2 << 5) | 29, 0, false},  // 2025-02-29
      {(45 << 9) | (13 << 5) | 1, 0, false},  // month 13
      {kDate, 24 << 11, false},
      {kDate, 60 << 5, false},
      {kDate, 30, false},            // 60 seconds
  };
  for (const auto& c : kCases) EXPECT_EQ(DosDateTimeToTicks(c.date, c.time).has_value(), c.valid) << c.date;
}

TEST(MemberRecord, LocalToUtcStaysInRange) {
  EXPECT_EQ(LocalTicksToUtc(*DosDateTimeToTicks(kDate, kTime), kNineHours), kUtcTicks);
  EXPECT_EQ(LocalTicksToUtc(100, 200), std::nullopt);
  EXPECT_EQ(LocalTicksToUtc(0x7FFFFFFFFFFFFFFFull, -1), std::nullopt);
  EXPECT_EQ(LocalTicksToUtc(0x8000000000000000ull, 0), std::nullopt);
}

TEST(MemberRecord, CompletionAsksTheDllThenFallsBackToTheDosStamp) {
  TArchiveMemberInfo info{};
  info.wDate = kDate;
  info.wTime = kTime;
  std::vector<MemberTime> asked;
  CompleteMemberTimes(
      info,
      [&](MemberTime which, TFileTime& out) {
        asked.push_back(which);
        if (which != MemberTime::kLastAccess) return false;
        out = {7, 8};
        return true;
      },
      kNineHours);
  EXPECT_EQ(asked, (std::vector<MemberTime>{MemberTime::kLastWrite, MemberTime::kLastAccess, MemberTime::kCreation}));
  EXPECT_EQ(Ticks(info.ftLastWriteTime), kUtcTicks);
  EXPECT_EQ(Ticks(info.ftLastAccessTime), (8ull << 32) | 7);
  EXPECT_EQ(Ticks(info.ftCreationTime), kUtcTicks);
}

TEST(MemberRecord, ZeroStampGivesZeroAndABadStampKeepsTheField) {
  TArchiveMemberInfo zero{};
  zero.ftLastWriteTime = {1, 1};
  CompleteMemberTimes(zero, nullptr, kNineHours);
  EXPECT_EQ(Ticks(zero.ftLastWriteTime), 0u);

  TArchiveMemberInfo bad{};
  bad.wTime = kTime;  // date 0: no month
  bad.ftLastWriteTime = {5, 6};
  CompleteMemberTimes(bad, [](MemberTime, TFileTime&) { return false; }, kNineHours);
  EXPECT_EQ(Ticks(bad.ftLastWriteTime), (6ull << 32) | 5);
}

TEST(MemberRecord, UnterminatedNamesStopAtTheField) {
  TArchiveMemberInfo info{};
  std::memset(info.szFileName, 'a', sizeof info.szFileName);
  info.dummy1[0] = 'b';
  EXPECT_EQ(FixedText(info.szFileName), std::string(513, 'a'));
  std::strcpy(info.szFileName, "dir/x.jpg");
  EXPECT_EQ(FixedText(info.szFileName), "dir/x.jpg");
}

TEST(ExtraStreams, CollectsMembersWhoseSourceHoldsTheSeparator) {
  TExtractingInfo info{};
  std::strcpy(info.szSourceFileName, "a.txt;#meta");
  std::strcpy(info.szDestFileName, "C:\\out\\a.txt;#meta");
  EXPECT_EQ(ExtraStreamToRestore(1, info, ";#"), "C:\\out\\a.txt;#meta");
  EXPECT_EQ(ExtraStreamToRestore(2, info, ";#"), std::nullopt);
  EXPECT_EQ(ExtraStreamToRestore(1, info, "|"), std::nullopt);
  EXPECT_EQ(StreamNameOf("a;#b", ";#"), std::string("a:\x05" "b"));
  EXPECT_EQ(StreamNameOf("a;b;#", ";#"), std::string("a:b:\x05"));
  EXPECT_EQ(StreamNameOf("a#b", ";#"), "a#b");
}

}  // namespace
}  // namespace zk
