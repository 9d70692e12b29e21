// WebP pictures through libwebp: lossy, lossless, with alpha, and animated,
// the frames composed by libwebp's animation decoder (blending and disposal
// as the format defines them).
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "image/decoders/pixel_sink.h"

namespace zk {

// "RIFF", a size, "WEBP".
bool LooksLikeWebp(std::span<const uint8_t> bytes);
// "libwebp" and the decoder's version, for the About box.
std::u16string WebpDecoderVersion();

class WebpAnimation {
 public:
  // Throws PictureDecodeError for data libwebp cannot read, or a canvas
  // larger than the file justifies (checked before any pixel memory). The
  // file's bytes must outlive the object.
  WebpAnimation(std::span<const uint8_t> file, Rgb background);
  WebpAnimation(std::vector<uint8_t>&&, Rgb) = delete;
  ~WebpAnimation();
  WebpAnimation(const WebpAnimation&) = delete;
  WebpAnimation& operator=(const WebpAnimation&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }
  int frame_count() const { return frame_count_; }
  // How many times the animation is shown: 0 for ever.
  int loop_count() const { return loop_count_; }
  // The EXIF orientation of the file's EXIF chunk; 1 when it has none.
  int orientation() const { return orientation_; }

  // Composes the next frame (0, 1, 2, ... then 0 again) over the background
  // into `target` (width() x height() pixels); its display time in ms.
  int RenderNext(PixelTarget target);

 private:
  struct Decoder;
  std::unique_ptr<Decoder> decoder_;  // no animation decoder for an opaque still
  std::span<const uint8_t> file_;
  Rgb background_;
  int width_ = 0, height_ = 0, frame_count_ = 0, loop_count_ = 0, orientation_ = 1;
  int last_timestamp_ = 0;
};

}  // namespace zk
