// libpng reports errors by longjmp into Compress, which holds nothing with a
// destructor; the library objects belong to PngWriteJob.
#include <algorithm>
#include <csetjmp>

#include <png.h>

#include "image/encoders/picture_writers.h"

namespace zk {
namespace {

struct PngWriteJob {
  png_structp png = nullptr;
  png_infop info = nullptr;
  FileBytes out;
  std::vector<uint8_t> row;

  ~PngWriteJob() { png_destroy_write_struct(&png, info ? &info : nullptr); }
};

void Write(png_structp png, png_bytep data, size_t length) {
  auto* out = static_cast<FileBytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}
void Flush(png_structp) {}
void IgnoreWarning(png_structp, png_const_charp) {}

bool Compress(PngWriteJob& job, const PixelView& pixels) {
  if (setjmp(png_jmpbuf(job.png))) return false;
  png_set_write_fn(job.png, &job.out, Write, Flush);
  png_set_IHDR(job.png, job.info, static_cast<png_uint_32>(pixels.width), static_cast<png_uint_32>(pixels.height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(job.png, job.info);
  for (int y = 0; y < pixels.height; ++y) {
    const uint8_t* src = pixels.Row(y);
    for (int x = 0; x < pixels.width; ++x, src += pixels.bytes_per_pixel) {
      job.row[3 * x] = src[2];
      job.row[3 * x + 1] = src[1];
      job.row[3 * x + 2] = src[0];
    }
    png_write_row(job.png, job.row.data());
  }
  png_write_end(job.png, nullptr);
  return true;
}

}  // namespace

std::optional<FileBytes> EncodePngFile(const PixelView& pixels) {
  if (pixels.empty() || (pixels.bytes_per_pixel != 3 && pixels.bytes_per_pixel != 4)) return std::nullopt;
  PngWriteJob job;
  job.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, IgnoreWarning);
  if (!job.png) return std::nullopt;
  job.info = png_create_info_struct(job.png);
  if (!job.info) return std::nullopt;
  job.row.resize(static_cast<size_t>(pixels.width) * 3);
  if (!Compress(job, pixels)) return std::nullopt;
  return std::move(job.out);
}

}  // namespace zk
