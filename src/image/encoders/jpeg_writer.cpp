// libjpeg reports errors through a callback that must not return: it longjmps
// back into Compress, which holds nothing with a destructor; the buffers live
// in the caller's JpegWriteJob and are released on every path.
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

#include "image/encoders/picture_writers.h"

namespace zk {
namespace {

struct JpegWriteJob {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  std::jmp_buf jump{};
  unsigned char* out = nullptr;
  unsigned long size = 0;
  std::vector<uint8_t> row;  // one row without the pad bytes of 32-bit pixels

  JpegWriteJob() { cinfo.client_data = this; }
  ~JpegWriteJob() {
    jpeg_destroy_compress(&cinfo);
    std::free(out);
  }
  JpegWriteJob(const JpegWriteJob&) = delete;
  JpegWriteJob& operator=(const JpegWriteJob&) = delete;
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  std::longjmp(static_cast<JpegWriteJob*>(cinfo->client_data)->jump, 1);
}
void IgnoreMessage(j_common_ptr) {}

bool Compress(JpegWriteJob& job, const PixelView& pixels, const JpegWriteOptions& options) {
  jpeg_compress_struct& cinfo = job.cinfo;
  if (setjmp(job.jump)) return false;
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, &job.out, &job.size);
  cinfo.image_width = static_cast<JDIMENSION>(pixels.width);
  cinfo.image_height = static_cast<JDIMENSION>(pixels.height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, std::clamp(options.quality, 1, 100), TRUE);
  cinfo.dct_method = JDCT_ISLOW;
  cinfo.optimize_coding = TRUE;
  if (options.progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    const uint8_t* src = pixels.Row(static_cast<int>(cinfo.next_scanline));
    if (pixels.bytes_per_pixel == 4) {
      for (int x = 0; x < pixels.width; ++x) std::copy_n(src + 4 * x, 3, job.row.data() + 3 * x);
      src = job.row.data();
    }
    JSAMPROW rows[1] = {const_cast<JSAMPROW>(src)};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  return true;
}

}  // namespace

std::optional<FileBytes> EncodeJpegFile(const PixelView& pixels, const JpegWriteOptions& options) {
  // The format's own limit.
  if (pixels.empty() || pixels.width > 65500 || pixels.height > 65500) return std::nullopt;
  if (pixels.bytes_per_pixel != 3 && pixels.bytes_per_pixel != 4) return std::nullopt;
  JpegWriteJob job;
  job.cinfo.err = jpeg_std_error(&job.err);
  job.err.error_exit = ErrorExit;
  job.err.output_message = IgnoreMessage;
  if (pixels.bytes_per_pixel == 4) job.row.resize(static_cast<size_t>(pixels.width) * 3);
  if (!Compress(job, pixels, options) || !job.out) return std::nullopt;
  return FileBytes(job.out, job.out + job.size);
}

}  // namespace zk
