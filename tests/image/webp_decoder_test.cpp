#include "image/decoders/webp_decoder.h"

#include <gtest/gtest.h>
#include <webp/encode.h>

#include <vector>

#include "image/decoders/decode_error.h"

namespace zk {
namespace {

TEST(WebpDecoder, ComposesOverTheBackgroundAndRefusesWhatItCannotHold) {
  // Opaque red beside a transparent pixel.
  const uint8_t bgra[8] = {0, 0, 255, 255, 0, 0, 0, 0};
  uint8_t* encoded = nullptr;
  const size_t size = WebPEncodeLosslessBGRA(bgra, 2, 1, 8, &encoded);
  ASSERT_GT(size, 0u);
  const std::vector<uint8_t> file(encoded, encoded + size);
  WebPFree(encoded);
  WebpAnimation webp(file, {10, 20, 30});
  ASSERT_EQ(webp.width(), 2);
  EXPECT_EQ(webp.frame_count(), 1);
  PixelBuffer out(2, 1);
  webp.RenderNext({out.bytes.data(), out.stride});
  EXPECT_EQ(std::vector<uint8_t>(out.bytes.begin(), out.bytes.begin() + 6), (std::vector<uint8_t>{0, 0, 255, 30, 20, 10}));

  // A 16384 x 16384 canvas claimed by a 30-byte file, and a file cut short.
  std::vector<uint8_t> claim = {'R', 'I', 'F', 'F', 22, 0, 0, 0, 'W', 'E', 'B', 'P', 'V', 'P', '8', 'X', 10, 0, 0, 0,
                                0,   0,   0,   0,   0xFF, 0x3F, 0, 0xFF, 0x3F, 0};
  EXPECT_THROW(WebpAnimation(claim, {}), PictureDecodeError);
  const std::vector<uint8_t> cut(file.begin(), file.begin() + 16);
  EXPECT_THROW(WebpAnimation(cut, {}), PictureDecodeError);
}

}  // namespace
}  // namespace zk
