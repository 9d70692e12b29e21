#include "image/decoders/avif_decoder.h"

#include <dav1d/dav1d.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <optional>
#include <vector>

#include "image/decoders/decode_error.h"
#include "image/formats/avif_container.h"

namespace zk {
namespace {

[[noreturn]] void Fail(const char* why) { throw PictureDecodeError(why); }

struct Frame {
  Dav1dPicture p{};
  Frame() = default;
  Frame(const Frame&) = delete;
  Frame& operator=(const Frame&) = delete;
  ~Frame() { dav1d_picture_unref(&p); }
};

// One dav1d context for the coded pictures of one plane kind (colour or
// alpha), flushed between a grid's tiles.
class Av1Decoder {
 public:
  explicit Av1Decoder(int64_t pixel_limit) {
    Dav1dSettings s;
    dav1d_default_settings(&s);
    s.n_threads = 0;  // as many as the processor has
    s.max_frame_delay = 1;
    s.frame_size_limit = static_cast<unsigned>(std::min<int64_t>(pixel_limit, kMaxPicturePixels));
    s.all_layers = 0;
    s.logger.callback = nullptr;
    if (dav1d_open(&context_, &s) < 0) Fail("the AV1 decoder cannot start");
  }
  ~Av1Decoder() { dav1d_close(&context_); }
  Av1Decoder(const Av1Decoder&) = delete;
  Av1Decoder& operator=(const Av1Decoder&) = delete;

  void Decode(std::span<const uint8_t> obus, Frame& frame) {
    if (obus.empty()) Fail("empty AV1 data");
    dav1d_flush(context_);
    struct Data {
      Dav1dData d{};
      ~Data() { dav1d_data_unref(&d); }
    } data;
    // The file outlives the decode: nothing to free.
    if (dav1d_data_wrap(&data.d, obus.data(), obus.size(), [](const uint8_t*, void*) {}, nullptr) < 0)
      Fail("the AV1 decoder has no memory");
    for (;;) {
      if (data.d.sz > 0) {
        const int sent = dav1d_send_data(context_, &data.d);
        if (sent < 0 && sent != DAV1D_ERR(EAGAIN)) Fail("the AV1 data does not decode");
      }
      const int got = dav1d_get_picture(context_, &frame.p);
      if (got == 0) return;
      if (got != DAV1D_ERR(EAGAIN) || data.d.sz == 0) Fail("the AV1 data does not decode");
    }
  }

 private:
  Dav1dContext* context_ = nullptr;
};

uint8_t Clamp16(int32_t v) { return static_cast<uint8_t>(std::clamp((v + 32768) >> 16, 0, 255)); }

// Code value to 8-bit contribution, in 1/65536ths, for each plane's share.
struct YuvTables {
  std::vector<int32_t> y, r_cr, g_cr, g_cb, b_cb;
  bool identity = false;

  YuvTables(int bpc, int matrix, bool full_range) {
    double kr = 0.299, kb = 0.114;  // BT.601, also for "unspecified"
    switch (matrix) {
      case 0: identity = true; break;
      case 1: kr = 0.2126, kb = 0.0722; break;
      case 4: kr = 0.30, kb = 0.11; break;
      case 7: kr = 0.212, kb = 0.087; break;
      case 9:
      case 10: kr = 0.2627, kb = 0.0593; break;
      default: break;
    }
    const double kg = 1 - kr - kb, max = (1 << bpc) - 1, scale = 255.0 * 65536.0;
    const int shift = bpc - 8, count = 1 << bpc;
    for (auto* t : {&y, &r_cr, &g_cr, &g_cb, &b_cb}) t->resize(static_cast<size_t>(count));
    for (int v = 0; v < count; ++v) {
      const double luma = full_range ? v / max : (v - (16 << shift)) / double(219 << shift);
      const double chroma = full_range ? (v - (1 << (bpc - 1))) / max : (v - (128 << shift)) / double(224 << shift);
      y[v] = static_cast<int32_t>(std::lround(luma * scale));
      r_cr[v] = static_cast<int32_t>(std::lround(2 * (1 - kr) * chroma * scale));
      b_cb[v] = static_cast<int32_t>(std::lround(2 * (1 - kb) * chroma * scale));
      g_cr[v] = static_cast<int32_t>(std::lround(-2 * kr * (1 - kr) / kg * chroma * scale));
      g_cb[v] = static_cast<int32_t>(std::lround(-2 * kb * (1 - kb) / kg * chroma * scale));
    }
  }
};

// The visible part of a decoded picture placed at (left, top) of the target.
struct Placement {
  PixelTarget target;
  int left, top, width, height;
};

// Chroma rows at luma resolution, by the 3:1 weights of the two nearest
// chroma samples in each subsampled direction (as the format's reference
// decoder's best quality does), in quarter code values.
template <class T>
class ChromaRow {
 public:
  ChromaRow(const Dav1dPicture& p, int plane) : p_(p), plane_(plane) {
    sx_ = p.p.layout == DAV1D_PIXEL_LAYOUT_I444 ? 0 : 1;
    sy_ = p.p.layout == DAV1D_PIXEL_LAYOUT_I420 ? 1 : 0;
    chroma_w_ = (p.p.w + sx_) >> sx_;
    chroma_h_ = (p.p.h + sy_) >> sy_;
    vertical_.resize(static_cast<size_t>(chroma_w_));
    row_.resize(static_cast<size_t>(p.p.w));
  }
  // Code values (not scaled) of luma row `y`.
  const std::vector<uint16_t>& Row(int y) {
    const int r = y >> sy_;
    const int r2 = !sy_ ? r : std::clamp((y & 1) ? r + 1 : r - 1, 0, chroma_h_ - 1);
    const T* a = Line(r);
    const T* b = Line(r2);
    for (int i = 0; i < chroma_w_; ++i) vertical_[i] = static_cast<uint16_t>(3 * a[i] + b[i]);
    if (!sx_) {
      for (int x = 0; x < p_.p.w; ++x) row_[x] = static_cast<uint16_t>((vertical_[x] + 2) >> 2);
      return row_;
    }
    for (int x = 0; x < p_.p.w; ++x) {
      const int c = x >> 1;
      const int c2 = std::clamp((x & 1) ? c + 1 : c - 1, 0, chroma_w_ - 1);
      row_[x] = static_cast<uint16_t>((3 * vertical_[c] + vertical_[c2] + 8) >> 4);
    }
    return row_;
  }

 private:
  const T* Line(int r) const {
    return reinterpret_cast<const T*>(static_cast<const uint8_t*>(p_.data[plane_]) + r * p_.stride[1]);
  }
  const Dav1dPicture& p_;
  int plane_, sx_ = 0, sy_ = 0, chroma_w_ = 0, chroma_h_ = 0;
  std::vector<uint16_t> vertical_, row_;
};

template <class T>
void ConvertColor(const Dav1dPicture& p, const YuvTables& t, const Placement& at) {
  const unsigned mask = (1u << p.p.bpc) - 1;
  const bool mono = p.p.layout == DAV1D_PIXEL_LAYOUT_I400;
  std::optional<ChromaRow<T>> blue, red;
  if (!mono) blue.emplace(p, 1), red.emplace(p, 2);
  for (int row = 0; row < at.height; ++row) {
    const auto* y = reinterpret_cast<const T*>(static_cast<const uint8_t*>(p.data[0]) + row * p.stride[0]);
    uint8_t* out = at.target.Row(at.top + row) + at.left * 3;
    if (mono) {
      for (int x = 0; x < at.width; ++x, out += 3) out[0] = out[1] = out[2] = Clamp16(t.y[y[x] & mask]);
      continue;
    }
    const uint16_t* cb = blue->Row(row).data();
    const uint16_t* cr = red->Row(row).data();
    for (int x = 0; x < at.width; ++x, out += 3) {
      const int32_t luma = t.y[y[x] & mask];
      const unsigned u = cb[x] & mask, v = cr[x] & mask;
      if (t.identity) {  // planes G, B, R
        out[0] = Clamp16(t.y[u]);
        out[1] = Clamp16(luma);
        out[2] = Clamp16(t.y[v]);
      } else {
        out[0] = Clamp16(luma + t.b_cb[u]);
        out[1] = Clamp16(luma + t.g_cb[u] + t.g_cr[v]);
        out[2] = Clamp16(luma + t.r_cr[v]);
      }
    }
  }
}

template <class T>
void BlendAlpha(const Dav1dPicture& p, Rgb background, bool premultiplied, const Placement& at) {
  const int bpc = p.p.bpc, shift = bpc - 8;
  const unsigned mask = (1u << bpc) - 1;
  const bool full = p.seq_hdr && p.seq_hdr->color_range;
  std::vector<uint8_t> alpha(size_t{1} << bpc);
  for (unsigned v = 0; v <= mask; ++v) {
    const double a = full ? v * 255.0 / mask : (double(v) - (16 << shift)) * 255.0 / (219 << shift);
    alpha[v] = static_cast<uint8_t>(std::clamp(std::lround(a), 0L, 255L));
  }
  const unsigned bg[3] = {background.b, background.g, background.r};
  for (int row = 0; row < at.height; ++row) {
    const auto* in = reinterpret_cast<const T*>(static_cast<const uint8_t*>(p.data[0]) + row * p.stride[0]);
    uint8_t* out = at.target.Row(at.top + row) + at.left * 3;
    for (int x = 0; x < at.width; ++x, out += 3) {
      const unsigned a = alpha[in[x] & mask];
      for (int c = 0; c < 3; ++c) {
        const unsigned under = bg[c] * (255 - a);
        out[c] = premultiplied ? static_cast<uint8_t>(std::min(255u, out[c] + (under + 127) / 255))
                               : static_cast<uint8_t>((out[c] * a + under + 127) / 255);
      }
    }
  }
}

}  // namespace

std::u16string AvifDecoderVersion() {
  std::u16string text = u"dav1d ";
  for (const char* c = dav1d_version(); *c; ++c) text += static_cast<char16_t>(*c);
  return text;
}

int DecodeAvif(std::span<const uint8_t> file, Rgb background, PixelSink& sink) {
  const AvifLayout layout = ReadAvifLayout(file);
  const int64_t limit = int64_t{layout.width} * layout.height;
  Av1Decoder color_decoder(limit);
  std::optional<Av1Decoder> alpha_decoder;
  if (!layout.alpha.empty()) alpha_decoder.emplace(limit);

  PixelTarget target;
  int width = 0, height = 0, tile_w = 0, tile_h = 0;
  for (size_t i = 0; i < layout.color.size(); ++i) {
    Frame color;
    color_decoder.Decode(layout.color[i], color);
    const Dav1dPicture& p = color.p;
    if (i == 0) {
      tile_w = p.p.w;
      tile_h = p.p.h;
      const bool grid = layout.color.size() > 1;
      width = grid ? layout.width : tile_w;
      height = grid ? layout.height : tile_h;
      // A grid's tiles cover its picture, the last row and column cut.
      if (grid && (int64_t{tile_w} * layout.grid_columns < width || int64_t{tile_w} * (layout.grid_columns - 1) >= width ||
                   int64_t{tile_h} * layout.grid_rows < height || int64_t{tile_h} * (layout.grid_rows - 1) >= height))
        Fail("grid tiles do not cover the picture");
      target = sink.Allocate(width, height);
    } else if (p.p.w != tile_w || p.p.h != tile_h) {
      Fail("grid tiles differ in size");
    }
    const int left = static_cast<int>(i % layout.grid_columns) * tile_w;
    const int top = static_cast<int>(i / layout.grid_columns) * tile_h;
    const Placement at{target, left, top, std::min(tile_w, width - left), std::min(tile_h, height - top)};
    const AvifNclx stream{2, 2, p.seq_hdr ? static_cast<int>(p.seq_hdr->mtrx) : 2,
                          p.seq_hdr && p.seq_hdr->color_range};
    const AvifNclx& nclx = layout.nclx ? *layout.nclx : stream;
    const YuvTables tables(p.p.bpc, nclx.matrix, nclx.full_range);
    if (p.p.bpc == 8)
      ConvertColor<uint8_t>(p, tables, at);
    else
      ConvertColor<uint16_t>(p, tables, at);
    if (!alpha_decoder) continue;
    Frame alpha;
    alpha_decoder->Decode(layout.alpha[i], alpha);
    if (alpha.p.p.w != tile_w || alpha.p.p.h != tile_h) Fail("alpha differs in size from the picture");
    if (alpha.p.p.bpc == 8)
      BlendAlpha<uint8_t>(alpha.p, background, layout.alpha_premultiplied, at);
    else
      BlendAlpha<uint16_t>(alpha.p, background, layout.alpha_premultiplied, at);
  }
  return layout.orientation;
}

}  // namespace zk
