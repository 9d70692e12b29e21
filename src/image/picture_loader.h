// Turns picture files and memory buffers into pictures: the built-in decoders
// by kind, and the content-based path (plug-ins, then the DIB reader) for
// files no built-in decoder took.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>

#include "base/win_handles.h"
#include "image/dib/nk_dib.h"
#include "image/picture.h"
#include "image/picture_format_registry.h"

namespace zk {

class PictureLoadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Loads the file with the decoder of `kind`; transparent parts are drawn over
// `background`. Throws PictureLoadError (or the DIB container's errors) when
// the decoder fails; nothing is shown then.
std::unique_ptr<Picture> LoadPictureFile(PictureDecoderKind kind, const std::u16string& path, COLORREF background);

// The content-based path: the plug-ins are asked first, then the DIB reader,
// then the built-in decoders by the signature the data starts with (JPEG,
// PNG, GIF, bitmap). Throws PictureLoadError when none decodes.
std::unique_ptr<Picture> LoadPictureByContent(std::span<const uint8_t> bytes, COLORREF background);

// Decodes a picture held in memory into an ordinary bitmap; false when no
// picture came out. A JPEG within the first 257 bytes is found as well.
bool BitmapFromMemory(std::span<const uint8_t> buffer, UniqueBitmap& bitmap);

}  // namespace zk
