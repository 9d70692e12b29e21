// Which decoder a picture file goes to, by its extension. Later registrations
// hide earlier ones, so the plug-ins can take over an extension from a
// built-in decoder; entries are never removed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zk {

enum class PictureDecoderKind {
  kMetafile,          // Windows metafile
  kEnhancedMetafile,  // Windows enhanced metafile
  kIcon,
  kWindowsBitmap,     // the platform's own bitmap reading
  kJpeg,
  kGif,               // animated where the file has several frames
  kPng,
  kNkDIB,             // the DIB container
  kPlugin,            // the picture plug-ins (TSPINkDIB)
  kPluginBitmap,      // the picture plug-ins into a plain bitmap (TSPIBitmap)
  kWebp,              // WebP, animated where the file has several frames
  kAvif,              // AVIF: a still, or a sequence's first frame
  kWic,               // the system's Windows Imaging Component decoders
};

struct PictureFormat {
  std::u16string extension;  // lower case, no dot
  std::u16string description;
  PictureDecoderKind kind;
};

class PictureFormatRegistry {
 public:
  // `extension` with or without its dot, in any case.
  void RegisterPictureFormat(std::u16string_view extension, std::u16string description, PictureDecoderKind kind);
  std::optional<PictureDecoderKind> FindPictureFormat(std::u16string_view extension) const;
  const std::vector<PictureFormat>& formats() const { return formats_; }

  // The nine built-in formats, in their order.
  void RegisterBuiltInFormats();
  // The formats built in beyond those: ".webp" and ".avif".
  void RegisterModernFormats();

 private:
  std::vector<PictureFormat> formats_;
};

// The registry of the running program, made with the built-in formats.
PictureFormatRegistry& PictureFormats();

// The text after the last dot of the file name (not of a folder), without the
// dot; empty when there is none.
std::u16string PictureExtension(std::u16string_view path);

}  // namespace zk
