// The plug-in host's rules that need no platform: what kind a plug-in is by
// its version string, which extensions a declared pattern registers and in
// which order, which plug-ins are asked first for a file, which names and
// extensions the viewer keeps away from the plug-ins, and the progress scale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "image/picture_format_registry.h"

namespace zk {

// The head the plug-ins are shown: 2048 bytes and room for a 128-byte
// MacBinary header in front of them.
inline constexpr size_t kSpiHeadSize = 2048 + 128;
inline constexpr size_t kMacBinaryOffset = 128;
// The buffer the information strings are read into, and the length announced.
inline constexpr int kSpiInfoBufferSize = 256;
inline constexpr int kSpiInfoAnnounced = 255;

enum class SpiKind {
  kPlain,    // any other version string: kept as a plain plug-in
  kImport,   // "00IN": picture loader
  kArchive,  // "00AM"
  kExport,   // "00XN"
};
SpiKind ClassifySpiVersion(std::string_view api_version);

// An information string: the bytes up to the first zero within the buffer
// (the whole buffer when the plug-in wrote no terminator).
std::string SpiInfoString(std::span<const char> buffer);

// The extensions one declared pattern ("*.jpg;*.jpe") registers, in the order
// they are registered: from the last item to the first, each the text after
// the item's first dot (the whole item without one). Empty items give none.
std::vector<std::u16string> SpiPatternExtensions(std::u16string_view pattern);

// Registers the extensions of an import plug-in's patterns (with the
// description of the same index) in `registry`. Each pattern starts from
// `default_kind`; the handler may change or clear the kind, and a change
// carries over to the pattern's next extension. A cleared kind registers nothing.
using SpiRegisterHandler = std::function<void(const std::u16string& extension, const std::u16string& description,
                                              std::optional<PictureDecoderKind>& kind)>;
void RegisterSpiPatterns(const std::vector<std::u16string>& patterns, const std::vector<std::u16string>& descriptions,
                         std::optional<PictureDecoderKind> default_kind, const SpiRegisterHandler& handler,
                         PictureFormatRegistry& registry);

// True when the pattern, taken as a whole, ends in the file's extension
// (`dotted_extension` from the last dot of the name, dot included, or empty):
// the text from the pattern's last dot equals it, ignoring case.
bool SpiPatternMatches(std::u16string_view pattern, std::u16string_view dotted_extension);

// The order in which the plug-ins (given by their declared patterns, in load
// order) are asked about `file_name`: those with a pattern matching the
// extension first, the later-loaded before the earlier, then all others in
// load order. Gives indexes into `patterns_per_plugin`.
std::vector<size_t> SpiCandidateOrder(const std::vector<std::vector<std::u16string>>& patterns_per_plugin,
                                      std::u16string_view file_name);

// Plug-in files the viewer never loads, by base name in any letter case and
// with any extension: their formats are better served by the built-in code.
bool IsRefusedPluginFile(std::u16string_view file_name);
// Extensions the built-in decoders keep even when a plug-in declares them.
bool IsRefusedPluginExtension(std::u16string_view extension);

// The percentage shown for a plug-in's progress report n of d: 2 + n * 97 / d
// rounded, 1 for a zero denominator, kept within 0..100.
int SpiProgressPercent(int64_t numerator, int64_t denominator);

}  // namespace zk
