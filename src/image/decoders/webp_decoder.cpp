#include "image/decoders/webp_decoder.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <cstring>
#include <string>

#include "image/decoders/decode_error.h"
#include "image/exif_orientation.h"

namespace zk {

struct WebpAnimation::Decoder {
  WebPAnimDecoder* anim = nullptr;
  ~Decoder() {
    if (anim) WebPAnimDecoderDelete(anim);
  }
};

bool LooksLikeWebp(std::span<const uint8_t> bytes) {
  return bytes.size() >= 12 && std::memcmp(bytes.data(), "RIFF", 4) == 0 && std::memcmp(bytes.data() + 8, "WEBP", 4) == 0;
}

std::u16string WebpDecoderVersion() {
  const int v = WebPGetDecoderVersion();
  std::u16string text = u"libwebp ";
  for (int shift : {16, 8, 0}) {
    for (char c : std::to_string((v >> shift) & 0xFF)) text += static_cast<char16_t>(c);
    if (shift) text += u'.';
  }
  return text;
}

WebpAnimation::WebpAnimation(std::span<const uint8_t> file, Rgb background)
    : decoder_(std::make_unique<Decoder>()), file_(file), background_(background) {
  WebPBitstreamFeatures features;
  if (!LooksLikeWebp(file) || WebPGetFeatures(file.data(), file.size(), &features) != VP8_STATUS_OK)
    throw PictureDecodeError("not a WebP picture");
  // The canvas libwebp would allocate, checked against the file first.
  if (!PictureSizeJustified(features.width, features.height, static_cast<int64_t>(file.size())))
    throw PictureDecodeError("picture too large for its file");
  const WebPData data{file.data(), file.size()};
  if (WebPDemuxer* demux = WebPDemux(&data)) {
    WebPChunkIterator exif;
    if (WebPDemuxGetChunk(demux, "EXIF", 1, &exif)) {
      std::span<const uint8_t> tiff(exif.chunk.bytes, exif.chunk.size);
      // Some writers keep JPEG's "Exif\0\0" in front of the TIFF structure.
      if (tiff.size() >= 6 && std::memcmp(tiff.data(), "Exif\0\0", 6) == 0) tiff = tiff.subspan(6);
      orientation_ = TiffOrientation(tiff);
      WebPDemuxReleaseChunkIterator(&exif);
    }
    WebPDemuxDelete(demux);
  }
  width_ = features.width;
  height_ = features.height;
  frame_count_ = 1;
  // An opaque still is decoded straight into the rows it is shown from.
  if (!features.has_animation && !features.has_alpha) return;

  WebPAnimDecoderOptions options;
  if (!WebPAnimDecoderOptionsInit(&options)) throw PictureDecodeError("libwebp version mismatch");
  options.color_mode = MODE_BGRA;
  options.use_threads = 0;
  decoder_->anim = WebPAnimDecoderNew(&data, &options);
  WebPAnimInfo info;
  if (!decoder_->anim || !WebPAnimDecoderGetInfo(decoder_->anim, &info) || info.frame_count == 0)
    throw PictureDecodeError("libwebp cannot read the picture");
  width_ = static_cast<int>(info.canvas_width);
  height_ = static_cast<int>(info.canvas_height);
  frame_count_ = static_cast<int>(info.frame_count);
  loop_count_ = static_cast<int>(info.loop_count);
}

WebpAnimation::~WebpAnimation() = default;

int WebpAnimation::RenderNext(PixelTarget target) {
  if (!decoder_->anim) {
    if (target.stride > 0) {
      if (!WebPDecodeBGRInto(file_.data(), file_.size(), target.top_row,
                             static_cast<size_t>(height_) * static_cast<size_t>(target.stride),
                             static_cast<int>(target.stride)))
        throw PictureDecodeError("the picture does not decode");
      return 0;
    }
    // Bottom-up rows: through a top-down copy.
    PixelBuffer rows(width_, height_);
    RenderNext({rows.bytes.data(), rows.stride});
    for (int y = 0; y < height_; ++y) std::memcpy(target.Row(y), rows.Row(y), static_cast<size_t>(width_) * 3);
    return 0;
  }
  if (!WebPAnimDecoderHasMoreFrames(decoder_->anim)) {
    WebPAnimDecoderReset(decoder_->anim);
    last_timestamp_ = 0;
  }
  uint8_t* canvas = nullptr;
  int timestamp = 0;
  if (!WebPAnimDecoderGetNext(decoder_->anim, &canvas, &timestamp)) throw PictureDecodeError("a frame does not decode");
  const unsigned bg[3] = {background_.b, background_.g, background_.r};
  for (int y = 0; y < height_; ++y) {
    const uint8_t* in = canvas + static_cast<ptrdiff_t>(y) * width_ * 4;
    uint8_t* out = target.Row(y);
    for (int x = 0; x < width_; ++x, in += 4, out += 3) {
      const unsigned a = in[3];
      for (int c = 0; c < 3; ++c) out[c] = static_cast<uint8_t>((in[c] * a + bg[c] * (255 - a) + 127) / 255);
    }
  }
  const int delay = timestamp - last_timestamp_;
  last_timestamp_ = timestamp;
  return delay;
}

}  // namespace zk
