// The Windows Imaging Component as the last decoder: every format the
// system's installed codecs declare (TIFF, DDS, JPEG XR, HEIC, camera RAW ...).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>

#include "image/picture.h"
#include "image/picture_format_registry.h"

namespace zk {

// Registers the extensions of the system's WIC decoders that no decoder has
// yet, once per process; plug-ins registered later still take them over.
void RegisterWicFormats(PictureFormatRegistry& registry);

// The first frame, transparent parts over `background`; throws
// PictureLoadError when WIC cannot decode it or its size is not plausible.
std::unique_ptr<Picture> LoadWicPicture(std::span<const uint8_t> bytes, COLORREF background);

}  // namespace zk
