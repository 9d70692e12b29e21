// GIF data as the program shows it: the first frame for pictures held in
// memory, and the animation with every frame composed once and the first again.
#include "image/decoders/decode_error.h"
#include "image/decoders/gif_decoder.h"
#include "fuzz_input.h"

using namespace zk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> file(data, size);
  const Rgb background{0x10, 0x20, 0x30};
  fuzz::CappedPixelSink still;
  try {
    DecodeGifFirstFrame(file, background, still);
  } catch (const PictureDecodeError&) {
  } catch (const fuzz::CappedPixelSink::TooLarge&) {
  }
  try {
    GifAnimation animation(file, background);
    fuzz::Require(animation.frame_count() >= 1, "an animation without frames");
    if (int64_t{animation.width()} * animation.height() > (int64_t{1} << 22)) return 0;
    PixelBuffer canvas(animation.width(), animation.height());
    for (int i = 0; i <= animation.frame_count(); ++i) {
      const int delay = animation.RenderNext({canvas.bytes.data(), canvas.stride});
      fuzz::Require(delay > 0, "a frame without delay");
    }
    fuzz::Require(animation.next_frame() == (animation.frame_count() > 1 ? 1 : 0), "frames out of turn");
  } catch (const PictureDecodeError&) {
  }
  return 0;
}
