// Self-extractors that are made without the DLL: a support program followed
// by the archive. These are the rules; the file work is the caller's.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/archiver_type.h"

namespace zk {

struct SfxSupport {
  std::vector<std::u16string_view> files;  // candidates, searched in this order
  std::u16string_view kind;                // "DOS", "Win32" or empty
  std::u16string_view output_extension;    // ".EXE" or ".exe"
};

// What the format's self-extractor needs; gw <= 0 asks for a DOS one. nullopt
// for formats whose DLL makes self-extractors itself (or that have none).
// Raises EArchiver where the format refuses (BZ2; 7z for DOS).
std::optional<SfxSupport> SfxSupportFor(TArchiverType type, int gw);

// Raises the format's error for a support file that was not found.
[[noreturn]] void RaiseSfxSupportMissing(TArchiverType type, const SfxSupport& support);

// The archive name with the extension, moved into folder when one is given.
std::u16string SfxOutputName(std::u16string_view archive, std::u16string_view folder,
                             std::u16string_view extension);

// YZ1 self-extractors end with the archive's size, most significant byte first.
std::string Yz1SfxTrailer(uint32_t archive_size);

}  // namespace zk
