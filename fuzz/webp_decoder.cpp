// Any bytes as a WebP picture, as the program decodes it: the canvas checked
// against the file, then a few frames composed over a background.
#include <vector>

#include "fuzz_input.h"
#include "image/decoders/decode_error.h"
#include "image/decoders/webp_decoder.h"

using namespace zk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  try {
    WebpAnimation webp(bytes, {1, 2, 3});
    fuzz::Require(PictureSizeJustified(webp.width(), webp.height(), static_cast<int64_t>(size)),
                  "a canvas the file does not justify");
    PixelBuffer canvas(webp.width(), webp.height());
    for (int i = 0; i < webp.frame_count() + 1 && i < 4; ++i) webp.RenderNext({canvas.bytes.data(), canvas.stride});
    fuzz::Require(webp.orientation() >= 1 && webp.orientation() <= 8, "no orientation");
  } catch (const PictureDecodeError&) {
  }
  return 0;
}
