#include "archive/member_record.h"

#include <cstring>

namespace zk {

namespace {

constexpr int64_t kTicksPerSecond = 10'000'000;

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1601-01-01 to the given date.
int64_t DaysSince1601(int year, int month, int day) {
  int64_t y = year - 1601;
  int64_t days = y * 365 + y / 4 - y / 100 + y / 400;
  for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
  return days + day - 1;
}

}  // namespace

std::string FixedText(const char* field, size_t size) {
  const void* end = std::memchr(field, 0, size);
  return std::string(field, end ? static_cast<const char*>(end) - field : size);
}

DosDate SplitDosDate(uint16_t date) { return {(date >> 9) + 1980, (date >> 5) & 15, date & 31}; }

DosTime SplitDosTime(uint16_t time) { return {(time >> 11) & 31, (time >> 5) & 63, (time * 2) & 62}; }

std::optional<uint64_t> DosDateTimeToTicks(uint16_t date, uint16_t time) {
  const DosDate d = SplitDosDate(date);
  const DosTime t = SplitDosTime(time);
  if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > DaysInMonth(d.year, d.month)) return std::nullopt;
  if (t.hour > 23 || t.minute > 59 || t.second > 59) return std::nullopt;
  const int64_t seconds = DaysSince1601(d.year, d.month, d.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
  return static_cast<uint64_t>(seconds * kTicksPerSecond);
}

std::optional<uint64_t> LocalTicksToUtc(uint64_t local, int64_t local_offset) {
  // FILETIMEs the system converts are at most 0x7FFFFFFFFFFFFFFF.
  constexpr uint64_t kMax = 0x7FFFFFFFFFFFFFFFull;
  if (local > kMax) return std::nullopt;
  int64_t utc = 0;
  if (__builtin_sub_overflow(static_cast<int64_t>(local), local_offset, &utc) || utc < 0) return std::nullopt;
  return static_cast<uint64_t>(utc);
}

void CompleteMemberTimes(TArchiveMemberInfo& info, const MemberTimeQuery& query, int64_t local_offset) {
  const struct {
    MemberTime which;
    TFileTime TArchiveMemberInfo::*field;
  } kOrder[] = {{MemberTime::kLastWrite, &TArchiveMemberInfo::ftLastWriteTime},
                {MemberTime::kLastAccess, &TArchiveMemberInfo::ftLastAccessTime},
                {MemberTime::kCreation, &TArchiveMemberInfo::ftCreationTime}};
  for (const auto& step : kOrder) {
    TFileTime answer{};
    if (query && query(step.which, answer)) {
      info.*step.field = answer;
      continue;
    }
    if (info.wDate == 0 && info.wTime == 0) {
      info.*step.field = TFileTime{0, 0};
      continue;
    }
    const std::optional<uint64_t> local = DosDateTimeToTicks(info.wDate, info.wTime);
    const std::optional<uint64_t> utc = local ? LocalTicksToUtc(*local, local_offset) : std::nullopt;
    if (utc) info.*step.field = TicksToFileTime(*utc);
  }
}

}  // namespace zk
