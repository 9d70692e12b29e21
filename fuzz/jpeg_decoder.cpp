// JPEG data as the picture view decodes it, and as the clipboard reading
// finds a picture inside other data first.
#include "image/decoders/decode_error.h"
#include "image/decoders/jpeg_decoder.h"
#include "image/find_jpeg_start.h"
#include "fuzz_input.h"

using namespace zk;

namespace {

void Decode(std::span<const uint8_t> data) {
  fuzz::CappedPixelSink sink;
  try {
    DecodeJpeg(data, sink);
    fuzz::Require(sink.buffer().width > 0 && sink.buffer().height > 0, "decoded without rows");
  } catch (const PictureDecodeError&) {
  } catch (const fuzz::CappedPixelSink::TooLarge&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> file(data, size);
  Decode(file);
  const int start = FindJpegStart(file);
  fuzz::Require(start >= -1 && start <= 256, "start beyond its window");
  if (start > 0) Decode(file.subspan(static_cast<size_t>(start)));
  return 0;
}
