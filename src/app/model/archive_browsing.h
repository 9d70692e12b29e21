// The rules of browsing an archive's member list: the list line, the member a
// line names, where an opened member is shown from, stepping through the
// members, and the three lines of an archive link file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zk {

// name, a TAB and three spaces, size, space, date, space, time.
std::u16string ArchiveListLine(std::u16string_view name, std::u16string_view size, std::u16string_view date,
                               std::u16string_view time);

// The member name of a list line: everything before its first TAB.
std::u16string MemberNameOfLine(std::u16string_view line);

// Names holding both "同" and "[" cannot be named to the archivers one by
// one; the whole archive is extracted for them.
bool ExtractsWholeArchive(std::u16string_view name);

// Whether a member name may be handed to an archiver for extraction: a plain
// relative path, no drive, no root, no ".." part.
bool IsPlainMemberPath(std::u16string_view name);

// The file an extracted member is shown from: the work folder plus the
// name's last component (after its last "/", "\" or ":"). Empty when that
// component names no ordinary file (empty, "." or "..", a device name).
std::u16string MemberViewFile(std::u16string_view work_folder, std::u16string_view name);

// The line to select after a step from `current` among `count` lines: tag
// -999 the last, 999 the first, a negative tag the next and any other tag the
// previous, wrapping at the ends when `wrap`, else staying. -1 for no lines.
int StepMemberIndex(int tag, int current, int count, bool wrap);

// The status after an archiver failed: what failed, then the archiver's own
// last line of output when it gave one, else its result code in hexadecimal.
std::u16string ArchiverFailureStatus(std::u16string_view what, int code, std::u16string_view output);

// An archive link file's lines: the archive, the member, the member's size.
struct ArcLink {
  std::u16string archive;
  std::u16string member;
  std::u16string size_text;  // line 3 as written
};
// Nothing when the file has fewer than three lines.
std::optional<ArcLink> ReadArcLink(const std::vector<std::u16string>& lines);
// Line 3 as a size in bytes; nothing when it is not a number or not a size a
// buffer can hold.
std::optional<uint32_t> ArcLinkSize(std::u16string_view text);

}  // namespace zk
