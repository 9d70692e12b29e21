// The records the archiver DLLs fill, laid out byte for byte as the DLLs
// write them (both Windows targets, so fixed-width fields and 1-byte packing),
// and the arithmetic that completes a member record's time stamps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace zk {

inline constexpr size_t kArchiverNameSize = 513;

#pragma pack(push, 1)
// A Windows FILETIME: 100-nanosecond ticks since 1601-01-01. Packed, as it
// sits at unaligned offsets in the member record.
struct TFileTime {
  uint32_t dwLowDateTime;
  uint32_t dwHighDateTime;
};

// One member as FindFirst and FindNext deliver it. The DLL writes bytes 0 to
// 557; the three FILETIMEs after them are ours, filled after each call.
struct TArchiveMemberInfo {
  uint32_t dwOriginalSize;
  uint32_t dwCompressedSize;
  uint32_t dwCRC;
  uint32_t uFlag;
  uint32_t uOSType;
  uint16_t wRatio;
  uint16_t wDate;  // DOS date: bits 15-9 year - 1980, 8-5 month, 4-0 day
  uint16_t wTime;  // DOS time: bits 15-11 hour, 10-5 minute, 4-0 seconds / 2
  char szFileName[kArchiverNameSize];
  char dummy1[3];
  char szAttribute[8];
  char szMode[8];
  TFileTime ftLastWriteTime;
  TFileTime ftLastAccessTime;
  TFileTime ftCreationTime;
};

// The start of the progress information sent with "wm_arcextract"; only the
// two names are read.
struct TExtractingInfo {
  uint32_t dwFileSize;
  uint32_t dwWriteSize;
  char szSourceFileName[kArchiverNameSize];
  char dummy1[3];
  char szDestFileName[kArchiverNameSize];
  char dummy[3];
};
#pragma pack(pop)

static_assert(sizeof(TFileTime) == 8);
static_assert(sizeof(TArchiveMemberInfo) == 582);
static_assert(offsetof(TArchiveMemberInfo, dwOriginalSize) == 0);
static_assert(offsetof(TArchiveMemberInfo, wRatio) == 20);
static_assert(offsetof(TArchiveMemberInfo, wDate) == 22);
static_assert(offsetof(TArchiveMemberInfo, wTime) == 24);
static_assert(offsetof(TArchiveMemberInfo, szFileName) == 26);
static_assert(offsetof(TArchiveMemberInfo, dummy1) == 539);
static_assert(offsetof(TArchiveMemberInfo, szAttribute) == 542);
static_assert(offsetof(TArchiveMemberInfo, szMode) == 550);
static_assert(offsetof(TArchiveMemberInfo, ftLastWriteTime) == 558);
static_assert(offsetof(TArchiveMemberInfo, ftLastAccessTime) == 566);
static_assert(offsetof(TArchiveMemberInfo, ftCreationTime) == 574);
static_assert(offsetof(TExtractingInfo, szSourceFileName) == 8);
static_assert(offsetof(TExtractingInfo, szDestFileName) == 524);

// The member-enumeration record is passed through untouched; only its size
// is ours to give.
inline constexpr uint32_t kEnumMemberInfo64Size = 1094;

// A text field of a record, read up to its first NUL or its end, whichever
// comes first, so that an unterminated field cannot run past the record.
std::string FixedText(const char* field, size_t size);
template <size_t N>
std::string FixedText(const char (&field)[N]) {
  return FixedText(field, N);
}

struct DosDate {
  int year, month, day;
};
struct DosTime {
  int hour, minute, second;
};
DosDate SplitDosDate(uint16_t date);
DosTime SplitDosTime(uint16_t time);

// The DOS stamp as FILETIME ticks of the same wall-clock time; nullopt when
// the fields form no valid date and time.
std::optional<uint64_t> DosDateTimeToTicks(uint16_t date, uint16_t time);

// Local ticks to UTC, local_offset being local time minus UTC in ticks;
// nullopt when the result falls outside the FILETIME range.
std::optional<uint64_t> LocalTicksToUtc(uint64_t local, int64_t local_offset);

inline TFileTime TicksToFileTime(uint64_t ticks) {
  return {static_cast<uint32_t>(ticks), static_cast<uint32_t>(ticks >> 32)};
}

enum class MemberTime : uint8_t { kLastWrite, kLastAccess, kCreation };
// Asks the DLL for one of a member's times; false when it gives none.
using MemberTimeQuery = std::function<bool(MemberTime which, TFileTime& out)>;

// Fills the three times in the order last write, last access, creation. A
// time the DLL does not give is the DOS stamp taken as local time and turned
// into UTC; a stamp of date 0 and time 0 gives the zero FILETIME, and a stamp
// that cannot be converted leaves the field as it was.
void CompleteMemberTimes(TArchiveMemberInfo& info, const MemberTimeQuery& query, int64_t local_offset);

}  // namespace zk
