// GIF pictures: the first frame at once, the others when the image control
// animates it, with the file's frame delays and loop count.
#pragma once

#include <memory>
#include <string>

#include "image/decoders/pixel_sink.h"
#include "image/picture.h"

namespace zk {

// Throws PictureDecodeError when no frame decodes.
std::unique_ptr<Picture> LoadGifPicture(std::string file, Rgb background);

}  // namespace zk
