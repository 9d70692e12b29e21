#include "image/webp_picture.h"

#include "image/animated_picture.h"
#include "image/decoders/webp_decoder.h"

namespace zk {

std::unique_ptr<Picture> LoadWebpPicture(std::string file, Rgb background) {
  auto picture = std::make_unique<AnimatedPicture<WebpAnimation>>(std::move(file), background);
  const int orientation = picture->animation().orientation();
  if (picture->animation().frame_count() > 1 || orientation == 1) return picture;
  // A still photo turned upright once, before anything sees its pixels.
  return MakeBitmapPicture(TurnUpright(picture->TakeFrame(), orientation));
}

}  // namespace zk
