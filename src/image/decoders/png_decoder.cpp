// libpng reports errors by longjmp to the point set with png_jmpbuf. That
// point lies in the small functions below, which hold nothing with a
// destructor; the library objects are owned by PngJob.
//
// Interlaced files are read pass by pass without the library's de-interlacing
// (which needs a whole picture in its own format): every pass pixel goes
// straight to its place in the sink's rows, blended there when it has alpha.
// So no second full-size buffer exists for any PNG.
#include "image/decoders/png_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include <png.h>

#include "image/decoders/decode_error.h"
#include "image/decoders/pixel_rows.h"

namespace zk {
namespace {

constexpr size_t kImageDataPiece = 1024;

struct PngJob {
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::span<const uint8_t> data;
  size_t read_at = 0;
  char message[160]{};
  // The picture after the header.
  png_uint_32 width = 0, height = 0;
  bool interlaced = false;
  int channels = 0;  // 3: blue, green, red; 4: the same and alpha
  size_t row_bytes = 0;
  // Reading the rows.
  PixelTarget target;
  Rgb background;
  uint8_t* row = nullptr;  // one row as the library gives it
  int64_t rows_done = 0;   // rows of any pass

  PngJob() = default;
  ~PngJob() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
  PngJob(const PngJob&) = delete;
  PngJob& operator=(const PngJob&) = delete;
};

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
  auto* job = static_cast<PngJob*>(png_get_error_ptr(png));
  std::snprintf(job->message, sizeof(job->message), "%s", message);
  png_longjmp(png, 1);
}

// Warnings (bad ancillary chunks, their CRC errors) leave the picture usable.
void OnWarning(png_structp, png_const_charp) {}

void ReadData(png_structp png, png_bytep out, size_t length) {
  auto* job = static_cast<PngJob*>(png_get_io_ptr(png));
  if (length > job->data.size() - job->read_at) png_error(png, "PNG data ends early");
  std::memcpy(out, job->data.data() + job->read_at, length);
  job->read_at += length;
}

bool ReadHeader(PngJob* job) {
  png_structp png = job->png;
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, job, ReadData);
  png_set_crc_action(png, PNG_CRC_DEFAULT, PNG_CRC_WARN_DISCARD);
  // Image data is taken in small pieces, so a file that ends early loses
  // little more than its missing part (for reading this sets that size).
  png_set_compression_buffer_size(png, kImageDataPiece);
  png_read_info(png, job->info);
  int bit_depth = 0, color_type = 0, interlace = 0;
  png_get_IHDR(png, job->info, &job->width, &job->height, &bit_depth, &color_type, &interlace, nullptr, nullptr);
  job->interlaced = interlace != PNG_INTERLACE_NONE;
  // Before the library sizes its row buffers.
  if (!PictureSizeJustified(job->width, job->height, static_cast<int64_t>(job->data.size())))
    png_error(png, "PNG picture size not justified by the file");
  // Everything becomes 8-bit blue, green, red, with alpha where the file has any.
  if (color_type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (color_type == PNG_COLOR_TYPE_GRAY && bit_depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, job->info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (bit_depth == 16) png_set_scale_16(png);
  if (!(color_type & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
  png_set_bgr(png);
  png_read_update_info(png, job->info);
  job->channels = png_get_channels(png, job->info);
  job->row_bytes = png_get_rowbytes(png, job->info);
  if ((job->channels != 3 && job->channels != 4) || job->row_bytes != size_t{job->width} * job->channels)
    png_error(png, "unexpected PNG row layout");
  return true;
}

// Puts `count` pixels of the row buffer at x = first, first + step, ... of row y.
void PlacePixels(const PngJob& job, int y, png_uint_32 first, png_uint_32 step, png_uint_32 count) {
  const uint8_t* src = job.row;
  uint8_t* dst = job.target.Row(y) + size_t{first} * 3;
  const size_t dst_step = size_t{step} * 3;
  if (job.channels == 3) {
    for (png_uint_32 i = 0; i < count; ++i, src += 3, dst += dst_step) std::memcpy(dst, src, 3);
    return;
  }
  const Rgb bg = job.background;
  for (png_uint_32 i = 0; i < count; ++i, src += 4, dst += dst_step) {
    const unsigned a = src[3];
    if (a == 255) {
      std::memcpy(dst, src, 3);
    } else {
      const unsigned rest = 255 - a;
      dst[0] = static_cast<uint8_t>((src[0] * a + bg.b * rest + 127) / 255);
      dst[1] = static_cast<uint8_t>((src[1] * a + bg.g * rest + 127) / 255);
      dst[2] = static_cast<uint8_t>((src[2] * a + bg.r * rest + 127) / 255);
    }
  }
}

bool ReadRows(PngJob* job) {
  png_structp png = job->png;
  if (setjmp(png_jmpbuf(png))) return false;
  if (!job->interlaced) {
    for (png_uint_32 y = 0; y < job->height; ++y) {
      if (job->channels == 3) {
        png_read_row(png, job->target.Row(static_cast<int>(y)), nullptr);
      } else {
        png_read_row(png, job->row, nullptr);
        PlacePixels(*job, static_cast<int>(y), 0, 1, job->width);
      }
      job->rows_done = y + 1;
    }
    return true;
  }
  // The library skips passes that hold no pixels; so does this loop.
  for (int pass = 0; pass < 7; ++pass) {
    const png_uint_32 cols = PNG_PASS_COLS(job->width, pass), rows = PNG_PASS_ROWS(job->height, pass);
    if (cols == 0 || rows == 0) continue;
    for (png_uint_32 r = 0; r < rows; ++r) {
      png_read_row(png, job->row, nullptr);
      PlacePixels(*job, static_cast<int>(PNG_ROW_FROM_PASS_ROW(r, pass)), PNG_PASS_START_COL(pass),
                  png_uint_32{1} << PNG_PASS_COL_SHIFT(pass), cols);
      ++job->rows_done;
    }
  }
  return true;
}

}  // namespace

void DecodePng(std::span<const uint8_t> data, Rgb background, PixelSink& sink) {
  PngJob job;
  job.data = data;
  job.background = background;
  job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &job, OnError, OnWarning);
  if (job.png) job.info = png_create_info_struct(job.png);
  if (!job.png || !job.info) throw PictureDecodeError("out of memory for the PNG reader");
  if (!ReadHeader(&job)) throw PictureDecodeError(job.message);
  const int width = static_cast<int>(job.width), height = static_cast<int>(job.height);

  std::vector<uint8_t> row;
  try {
    if (job.interlaced || job.channels == 4) row.resize(job.row_bytes);
  } catch (const std::bad_alloc&) {
    throw PictureDecodeError("out of memory for a PNG row");
  }
  job.row = row.data();
  job.target = sink.Allocate(width, height);
  // Pixels of later passes that never arrive show the background.
  if (job.interlaced) FillRows(job.target, width, 0, height, background);
  if (!ReadRows(&job)) {
    if (job.rows_done == 0) throw PictureDecodeError(job.message);
    if (!job.interlaced) FillRows(job.target, width, static_cast<int>(job.rows_done), height, background);
  }
}

}  // namespace zk
