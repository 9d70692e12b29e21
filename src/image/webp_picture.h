// WebP pictures: stills upright by their EXIF orientation, animations played
// frame by frame as GIF animations are.
#pragma once

#include <memory>
#include <string>

#include "image/decoders/pixel_sink.h"
#include "image/picture.h"

namespace zk {

// Throws PictureDecodeError when the picture does not decode.
std::unique_ptr<Picture> LoadWebpPicture(std::string file, Rgb background);

}  // namespace zk
