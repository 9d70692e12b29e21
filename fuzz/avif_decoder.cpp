// Any bytes as an AVIF picture, as the program decodes it: the layout read
// and its size checked against the file, then every coded picture through
// dav1d into rows over a background.
#include "fuzz_input.h"
#include "image/decoders/avif_decoder.h"
#include "image/decoders/decode_error.h"

using namespace zk;

namespace {

class CheckedSink final : public PixelSink {
 public:
  explicit CheckedSink(size_t file_size) : file_size_(file_size) {}
  PixelTarget Allocate(int width, int height) override {
    fuzz::Require(PictureSizeJustified(width, height, static_cast<int64_t>(file_size_)),
                  "a picture the file does not justify");
    return inner_.Allocate(width, height);
  }

 private:
  size_t file_size_;
  BufferPixelSink inner_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    CheckedSink sink(size);
    const int orientation = DecodeAvif({data, size}, {1, 2, 3}, sink);
    fuzz::Require(orientation >= 1 && orientation <= 8, "no orientation");
  } catch (const PictureDecodeError&) {
  }
  return 0;
}
