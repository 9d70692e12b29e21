// PNG data as the picture view decodes it, over the view's background.
#include "image/decoders/decode_error.h"
#include "image/decoders/png_decoder.h"
#include "fuzz_input.h"

using namespace zk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::CappedPixelSink sink;
  try {
    DecodePng({data, size}, Rgb{0xF0, 0xF0, 0xF0}, sink);
    fuzz::Require(sink.buffer().width > 0 && sink.buffer().height > 0, "decoded without rows");
  } catch (const PictureDecodeError&) {
  } catch (const fuzz::CappedPixelSink::TooLarge&) {
  }
  return 0;
}
