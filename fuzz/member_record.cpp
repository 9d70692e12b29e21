// Member records as an archiver DLL fills them: the texts read from their
// fixed fields, the times completed from the DLL's answers or the DOS stamp,
// and the progress record of an extraction with its extra streams.
#include <cstring>

#include "archive/extra_streams.h"
#include "archive/member_record.h"
#include "fuzz_input.h"

using namespace zk;

namespace {

bool Same(const TFileTime& a, const TFileTime& b) {
  return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FuzzInput in(data, size);
  const int64_t local_offset = static_cast<int64_t>(in.U64());
  const uint8_t answers = in.Byte();
  TFileTime answer_times[3];
  for (TFileTime& t : answer_times) t = {in.U32(), in.U32()};

  TArchiveMemberInfo info;
  const std::string record = in.Text(255) + in.Text(255) + in.Text(255);
  std::memset(&info, 0x5A, sizeof info);
  std::memcpy(&info, record.data(), std::min(record.size(), sizeof info));
  const TArchiveMemberInfo before = info;

  for (const std::string& text : {FixedText(info.szFileName), FixedText(info.szAttribute), FixedText(info.szMode)})
    fuzz::Require(text.find('\0') == std::string::npos && text.size() <= kArchiverNameSize, "text past its field");

  int asked = 0;
  CompleteMemberTimes(
      info,
      [&](MemberTime which, TFileTime& out) {
        ++asked;
        const int k = static_cast<int>(which);
        if (!(answers >> k & 1)) return false;
        out = answer_times[k];
        return true;
      },
      local_offset);
  fuzz::Require(asked == 3, "a time not asked for");
  const TFileTime TArchiveMemberInfo::*fields[] = {&TArchiveMemberInfo::ftLastWriteTime,
                                                    &TArchiveMemberInfo::ftLastAccessTime,
                                                    &TArchiveMemberInfo::ftCreationTime};
  const std::optional<uint64_t> local = DosDateTimeToTicks(info.wDate, info.wTime);
  const std::optional<uint64_t> utc = local ? LocalTicksToUtc(*local, local_offset) : std::nullopt;
  for (int k = 0; k < 3; ++k) {
    const TFileTime& got = info.*fields[k];
    if (answers >> k & 1) fuzz::Require(Same(got, answer_times[k]), "the DLL's time was not kept");
    else if (info.wDate == 0 && info.wTime == 0) fuzz::Require(Same(got, {0, 0}), "a zero stamp gave a time");
    else if (utc) fuzz::Require(Same(got, TicksToFileTime(*utc)), "the stamp converted wrongly");
    else fuzz::Require(Same(got, before.*fields[k]), "an unconvertible stamp changed a time");
  }
  if (local) {
    const DosDate d = SplitDosDate(info.wDate);
    const DosTime t = SplitDosTime(info.wTime);
    fuzz::Require(d.month >= 1 && d.month <= 12 && d.day >= 1 && d.day <= 31 && t.hour < 24 && t.minute < 60 &&
                      t.second < 60,
                  "an invalid stamp converted");
  }

  TExtractingInfo progress;
  std::memset(&progress, 0x41, sizeof progress);
  const std::string names = in.Text(255) + in.Text(255) + in.Text(255) + in.Text(255);
  std::memcpy(&progress, names.data(), std::min(names.size(), sizeof progress));
  const std::string separator = in.Text(3);
  if (std::optional<std::string> stream = ExtraStreamToRestore(in.Byte() & 3, progress, separator))
    fuzz::Require(StreamNameOf(*stream, separator).size() == stream->size(), "stream name changed length");
  return 0;
}
