#include "image/gif_picture.h"

#include "image/animated_picture.h"
#include "image/decoders/gif_decoder.h"

namespace zk {

std::unique_ptr<Picture> LoadGifPicture(std::string file, Rgb background) {
  return std::make_unique<AnimatedPicture<GifAnimation>>(std::move(file), background);
}

}  // namespace zk
