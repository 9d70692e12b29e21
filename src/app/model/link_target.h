// Repairing an archive link file whose archive has gone: the file dialog's
// filter and the rewritten file.
#pragma once

#include <string>
#include <string_view>

#include "base/ansi_codec.h"

namespace zk {

// "name|*.ext|全てのファイル|*.*": the first entry is named after the missing
// file and matches its extension.
std::u16string LinkTargetFilter(std::u16string_view target);

// The file's bytes with the first line replaced by line; every other byte is
// kept. The file's encoding (UTF-8 or UTF-16 with their byte-order marks, else
// the ANSI code page) is kept too, unless the ANSI code page cannot hold the
// new line: then the whole text is written as UTF-8 with its byte-order mark.
std::string ReplaceFirstLine(std::string_view bytes, std::u16string_view line, const AnsiCodec& ansi);

}  // namespace zk
