// File-system queries and whole-file reading and writing on the platform.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zk {

bool FileExists(const std::u16string& path);    // an existing file, not a folder
bool FolderExists(const std::u16string& path);
// The size from the path's directory entry (64-bit), or -1 when nothing matches.
int64_t FileSizeOf(const std::u16string& path);

// The whole file, or nullopt when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::u16string& path);
// Writes through a temporary file beside the target and then replaces it, so
// that a failed write leaves the old file as it was.
bool WriteWholeFile(const std::u16string& path, const std::string& bytes);

// The running program's full path.
std::u16string ProgramPath();

}  // namespace zk
