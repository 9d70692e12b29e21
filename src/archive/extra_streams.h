// Extra file streams travel in archives as separate members whose names hold
// a separator (";#" by default): "a;#b" is the stream "b" of the file "a".
// After an extraction such members are turned back into streams.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "archive/member_record.h"

namespace zk {

// The progress state in which the archiver reports a member it is writing.
inline constexpr int kExtractingMemberState = 1;

// The destination name to restore as a stream, when the notification reports
// writing a member whose source name holds the separator.
std::optional<std::string> ExtraStreamToRestore(int state, const TExtractingInfo& info, std::string_view separator);

// The stream name of an extracted member: each character equal to the
// separator's first becomes ":", and a separator's second character right
// after it becomes the character of code 5 (so "a;#b" gives "a:\x05b").
std::string StreamNameOf(std::string_view extracted, std::string_view separator);

}  // namespace zk
