// Reading a text file from disk: the whole file, its encoding and its text.
#pragma once

#include <optional>
#include <string>

#include "text/text_decoding.h"

namespace zk {

inline constexpr size_t kReadAllBytes = 2147483647;

// The file's bytes, at most `limit` of them; nullopt when it cannot be opened
// or read. Others may keep reading it meanwhile; if one of them is writing it,
// it is opened again with all sharing allowed.
std::optional<std::string> ReadFileBytes(const std::u16string& path, size_t limit);

// The file decoded with the platform's code-page conversion. A file that cannot
// be read (or not held in memory) gives id kNone, an empty text and ReadError.
TextFile ReadTextFile(const std::u16string& path);

}  // namespace zk
