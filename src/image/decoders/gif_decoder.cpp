// giflib reads through a callback from memory. Its image records are walked
// here one by one (not slurped): the constructor decodes every frame once to
// learn which decode completely, and showing a frame decodes it again from its
// offset with a fresh reader, so no frame is ever held decoded.
#include "image/decoders/gif_decoder.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "image/decoders/decode_error.h"
#include "image/decoders/pixel_rows.h"

namespace zk {
namespace {

using gif_detail::Frame;
using gif_detail::Rect;

constexpr int kDisposeBackground = 2;
constexpr int kDisposePrevious = 3;
// The global colour table follows the 6-byte signature and the 7-byte screen descriptor.
constexpr size_t kGlobalColoursAt = 13;
// The image descriptor after its separator: position, size and flags.
constexpr size_t kImageDescriptorBytes = 9;

struct GifReader {
  std::span<const uint8_t> file;
  size_t at = 0;
};

int ReadGifBytes(GifFileType* gif, GifByteType* out, int length) {
  auto* reader = static_cast<GifReader*>(gif->UserData);
  if (length <= 0 || reader->at >= reader->file.size()) return 0;
  const size_t n = std::min(static_cast<size_t>(length), reader->file.size() - reader->at);
  std::memcpy(out, reader->file.data() + reader->at, n);
  reader->at += n;
  return static_cast<int>(n);
}

struct GifCloser {
  void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

// Reads the signature, the screen descriptor and the global colour table;
// null when they are not there.
GifHandle OpenGif(GifReader& reader, int* error) { return GifHandle(DGifOpen(&reader, ReadGifBytes, error)); }

std::string Reason(const char* what, int error) {
  const char* text = GifErrorString(error);
  return std::string(what) + ": " + (text ? text : "unknown error");
}

void CheckSize(int64_t width, int64_t height, size_t file_size, const char* what) {
  if (!PictureSizeJustified(width, height, static_cast<int64_t>(file_size)))
    throw PictureDecodeError(std::string(what) + " size not justified by the file");
}

// What the extensions before an image say about it.
struct FrameControl {
  int disposal = 0;
  int delay = 0;  // hundredths of a second
  int transparent = -1;
};

// Reads records up to and including the next image descriptor. Extensions on
// the way fill `control` and, once, `loops` (-1 until a looping extension is
// seen). False at the end of the file or at damage.
bool NextImage(GifFileType* gif, const GifReader& reader, FrameControl& control, int& loops, size_t& image_at) {
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif, &type) == GIF_ERROR || type == TERMINATE_RECORD_TYPE) return false;
    if (type == IMAGE_DESC_RECORD_TYPE) {
      image_at = reader.at;
      return DGifGetImageDesc(gif) == GIF_OK;
    }
    int code = 0;
    GifByteType* block = nullptr;  // length byte, then the data
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
    bool first = true, looping = false;
    while (block) {
      if (code == GRAPHICS_EXT_FUNC_CODE && first && block[0] >= 4) {
        control.disposal = (block[1] >> 2) & 7;
        control.delay = block[2] | (block[3] << 8);
        control.transparent = (block[1] & 1) ? block[4] : -1;
      } else if (code == APPLICATION_EXT_FUNC_CODE) {
        if (first) {
          looping = block[0] == 11 && (std::memcmp(block + 1, "NETSCAPE2.0", 11) == 0 ||
                                       std::memcmp(block + 1, "ANIMEXTS1.0", 11) == 0);
        } else if (looping && loops < 0 && block[0] >= 3 && block[1] == 1) {
          loops = block[2] | (block[3] << 8);
        }
      }
      first = false;
      if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
    }
  }
}

// giflib keeps a record per image it reads; dropped after each one, so a file
// of many frames does not grow an array frame by frame.
void ForgetSavedImages(GifFileType* gif) {
  GifFreeSavedImages(gif);
  gif->ImageCount = 0;
}

Frame MakeFrame(const GifFileType* gif, size_t image_at, const FrameControl& control) {
  const GifImageDesc& desc = gif->Image;
  Frame f;
  f.at = image_at;
  f.left = desc.Left;
  f.top = desc.Top;
  f.width = desc.Width;
  f.height = desc.Height;
  f.interlaced = desc.Interlace;
  f.transparent = control.transparent;
  f.disposal = control.disposal;
  // Browsers show frames of 0 or 1 hundredths for a tenth of a second; so do we.
  f.delay_ms = control.delay <= 1 ? 100 : control.delay * 10;
  if (desc.ColorMap) {
    f.colour_count = desc.ColorMap->ColorCount;
    f.colours_at = image_at + kImageDescriptorBytes;
  }
  return f;
}

// The stored row r of an interlaced image of h rows: every 8th row from 0,
// every 8th from 4, every 4th from 2, every 2nd from 1.
int InterlacedRow(int r, int h) {
  const int pass1 = (h + 7) / 8, pass2 = (h + 3) / 8, pass3 = (h + 1) / 4;
  if (r < pass1) return r * 8;
  r -= pass1;
  if (r < pass2) return 4 + r * 8;
  r -= pass2;
  if (r < pass3) return 2 + r * 4;
  return 1 + (r - pass3) * 2;
}

// Decodes the image whose descriptor giflib has just read, calling
// on_row(row, indices) for each row top to bottom in the frame. Gives the
// rows that decoded: the frame's height when it decoded completely (also for
// an empty frame whose data could be skipped), -1 for an empty frame whose
// data is damaged.
template <class OnRow>
int DecodeRows(GifFileType* gif, uint8_t* row, OnRow&& on_row) {
  const GifImageDesc& desc = gif->Image;
  if (desc.Width <= 0 || desc.Height <= 0) {
    int code_size = 0;
    GifByteType* block = nullptr;
    if (DGifGetCode(gif, &code_size, &block) == GIF_ERROR) return -1;
    while (block)
      if (DGifGetCodeNext(gif, &block) == GIF_ERROR) return -1;
    return desc.Height;
  }
  for (int r = 0; r < desc.Height; ++r) {
    if (DGifGetLine(gif, row, desc.Width) == GIF_ERROR) return r;
    on_row(desc.Interlace ? InterlacedRow(r, desc.Height) : r, row);
  }
  return desc.Height;
}

Rect Visible(const Frame& f, int width, int height) {
  return {std::max(f.left, 0), std::max(f.top, 0), std::min(f.left + f.width, width),
          std::min(f.top + f.height, height)};
}

// The frame's colours as blue, green, red; indices past the table are black.
// A file without any colour table gets a grey ramp over the indices the frame
// uses, so two-colour pictures come out black and white.
struct Palette {
  uint8_t bgr[256][3]{};
};

Palette MakePalette(std::span<const uint8_t> file, const Frame& f, int global_colours) {
  Palette p;
  int count = f.colour_count;
  size_t at = f.colours_at;
  if (count == 0 && global_colours > 0) count = global_colours, at = kGlobalColoursAt;
  if (count > 0) {
    for (int i = 0; i < std::min(count, 256); ++i) {
      const uint8_t* rgb = file.data() + at + size_t(i) * 3;
      p.bgr[i][0] = rgb[2];
      p.bgr[i][1] = rgb[1];
      p.bgr[i][2] = rgb[0];
    }
    return p;
  }
  int top = 1;
  while (top < f.largest_index) top = top * 2 + 1;
  for (int i = 0; i < 256; ++i) {
    const uint8_t grey = static_cast<uint8_t>(std::min(255, i * 255 / top));
    p.bgr[i][0] = p.bgr[i][1] = p.bgr[i][2] = grey;
  }
  return p;
}

// Decodes the frame whose descriptor giflib has just read onto `target`
// (width x height), leaving its transparent pixels alone. Gives the rows that
// decoded, as DecodeRows.
int DrawRows(GifFileType* gif, const Frame& f, const Palette& palette, uint8_t* row, PixelTarget target, int width,
             int height) {
  const Rect vis = Visible(f, width, height);
  return DecodeRows(gif, row, [&](int r, const uint8_t* indices) {
    const int y = f.top + r;
    if (vis.empty() || y < vis.top || y >= vis.bottom) return;
    const uint8_t* src = indices + (vis.left - f.left);
    uint8_t* dst = target.Row(y) + size_t(vis.left) * 3;
    for (int x = vis.left; x < vis.right; ++x, ++src, dst += 3) {
      if (*src == f.transparent) continue;
      std::memcpy(dst, palette.bgr[*src], 3);
    }
  });
}

}  // namespace

GifAnimation::GifAnimation(std::span<const uint8_t> file, Rgb background) : file_(file), background_(background) {
  try {
    Load();
  } catch (const std::bad_alloc&) {
    throw PictureDecodeError("out of memory for the GIF");
  }
}

void GifAnimation::Load() {
  GifReader reader{file_};
  int error = 0;
  GifHandle gif = OpenGif(reader, &error);
  if (!gif) throw PictureDecodeError(Reason("not a readable GIF", error));
  int width = gif->SWidth, height = gif->SHeight;
  // A screen without width or height takes the first frame's extent, as browsers do.
  const bool screen_from_frame = width <= 0 || height <= 0;
  if (!screen_from_frame) CheckSize(width, height, file_.size(), "GIF screen");
  global_colours_ = gif->SColorMap ? gif->SColorMap->ColorCount : 0;

  int loops = -1;
  FrameControl control;
  size_t image_at = 0;
  while (NextImage(gif.get(), reader, control, loops, image_at)) {
    Frame f = MakeFrame(gif.get(), image_at, control);
    ForgetSavedImages(gif.get());
    control = {};
    if (screen_from_frame && frames_.empty()) {
      width = f.left + f.width;
      height = f.top + f.height;
      CheckSize(width, height, file_.size(), "GIF screen");
    }
    if (f.width > 0 && f.height > 0 && !PictureSizeJustified(f.width, f.height, static_cast<int64_t>(file_.size())))
      break;
    if (row_.size() < size_t(f.width)) row_.resize(size_t(f.width));
    int largest = 0;
    const int rows = DecodeRows(gif.get(), row_.data(), [&](int, const uint8_t* indices) {
      largest = std::max<int>(largest, *std::max_element(indices, indices + f.width));
    });
    f.largest_index = largest;
    if (rows != f.height) {
      if (frames_.empty() && rows > 0) frames_.push_back(f);  // shown as far as it goes
      break;
    }
    frames_.push_back(f);
  }
  if (frames_.empty()) throw PictureDecodeError("no GIF frame decodes");
  loop_count_ = loops < 0 ? 1 : loops == 0 ? 0 : loops + 1;

  canvas_ = PixelBuffer(width, height);
  size_t most_saved = 0;
  for (const Frame& f : frames_) {
    const Rect vis = Visible(f, width, height);
    if (f.disposal == kDisposePrevious && !vis.empty())
      most_saved = std::max(most_saved, size_t(vis.right - vis.left) * size_t(vis.bottom - vis.top) * 3);
  }
  saved_.resize(most_saved);
}

void GifAnimation::FillCanvas(const Rect& rect) {
  if (rect.empty()) return;
  PixelTarget part{canvas_.Row(rect.top) + size_t(rect.left) * 3, canvas_.stride};
  FillRows(part, rect.right - rect.left, 0, rect.bottom - rect.top, background_);
}

int GifAnimation::RenderNext(PixelTarget target) {
  const Frame& f = frames_[size_t(next_)];
  const Rect vis = Visible(f, width(), height());
  const size_t saved_row = vis.empty() ? 0 : size_t(vis.right - vis.left) * 3;
  // Each showing starts from the empty screen; later frames first undo what
  // the previous one asked to be undone.
  if (next_ == 0) {
    FillCanvas({0, 0, width(), height()});
  } else if (previous_disposal_ == kDisposeBackground) {
    FillCanvas(previous_rect_);
  } else if (previous_disposal_ == kDisposePrevious && !previous_rect_.empty()) {
    const size_t bytes = size_t(previous_rect_.right - previous_rect_.left) * 3;
    for (int y = previous_rect_.top; y < previous_rect_.bottom; ++y)
      std::memcpy(canvas_.Row(y) + size_t(previous_rect_.left) * 3,
                  saved_.data() + size_t(y - previous_rect_.top) * bytes, bytes);
  }
  if (f.disposal == kDisposePrevious) {
    for (int y = vis.top; y < vis.bottom && saved_row > 0; ++y)
      std::memcpy(saved_.data() + size_t(y - vis.top) * saved_row, canvas_.Row(y) + size_t(vis.left) * 3, saved_row);
  }

  // The file was read whole before; a failure now can only be memory, and
  // then the frame shows as far as it got.
  GifReader reader{file_};
  int error = 0;
  if (GifHandle gif = OpenGif(reader, &error)) {
    reader.at = f.at;
    if (DGifGetImageDesc(gif.get()) == GIF_OK) {
      DrawRows(gif.get(), f, MakePalette(file_, f, global_colours_), row_.data(),
               {canvas_.bytes.data(), canvas_.stride}, width(), height());
    }
  }
  previous_disposal_ = f.disposal;
  previous_rect_ = vis;

  for (int y = 0; y < height(); ++y) std::memcpy(target.Row(y), canvas_.Row(y), size_t(width()) * 3);
  next_ = (next_ + 1) % frame_count();
  return f.delay_ms;
}

void DecodeGifFirstFrame(std::span<const uint8_t> file, Rgb background, PixelSink& sink) {
  GifReader reader{file};
  int error = 0;
  GifHandle gif = OpenGif(reader, &error);
  if (!gif) throw PictureDecodeError(Reason("not a readable GIF", error));
  int width = gif->SWidth, height = gif->SHeight;
  const bool screen_from_frame = width <= 0 || height <= 0;
  if (!screen_from_frame) CheckSize(width, height, file.size(), "GIF screen");
  const int global_colours = gif->SColorMap ? gif->SColorMap->ColorCount : 0;

  int loops = -1;
  FrameControl control;
  size_t image_at = 0;
  if (!NextImage(gif.get(), reader, control, loops, image_at)) throw PictureDecodeError("no GIF frame decodes");
  Frame f = MakeFrame(gif.get(), image_at, control);
  if (screen_from_frame) {
    width = f.left + f.width;
    height = f.top + f.height;
    CheckSize(width, height, file.size(), "GIF screen");
  }
  const bool empty_frame = f.width <= 0 || f.height <= 0;
  if (!empty_frame) CheckSize(f.width, f.height, file.size(), "GIF frame");

  std::vector<uint8_t> row;
  try {
    row.resize(size_t(std::max(f.width, 1)));
  } catch (const std::bad_alloc&) {
    throw PictureDecodeError("out of memory for the GIF");
  }
  // A frame whose first row does not decode is refused before any rows are
  // asked for; a file without any colour table has the whole frame read first
  // for its grey ramp.
  if (!empty_frame) {
    GifReader again{file};
    GifHandle first = OpenGif(again, &error);
    again.at = f.at;
    bool decodes = first && DGifGetImageDesc(first.get()) == GIF_OK;
    if (decodes && f.colour_count == 0 && global_colours == 0) {
      decodes = DecodeRows(first.get(), row.data(), [&](int, const uint8_t* indices) {
                  f.largest_index = std::max<int>(f.largest_index, *std::max_element(indices, indices + f.width));
                }) > 0;
    } else if (decodes) {
      decodes = DGifGetLine(first.get(), row.data(), f.width) == GIF_OK;
    }
    if (!decodes) throw PictureDecodeError("the first GIF frame does not decode");
  }

  const PixelTarget target = sink.Allocate(width, height);
  FillRows(target, width, 0, height, background);
  DrawRows(gif.get(), f, MakePalette(file, f, global_colours), row.data(), target, width, height);
}

}  // namespace zk
