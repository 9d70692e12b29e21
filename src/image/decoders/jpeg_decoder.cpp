// libjpeg reports errors through a callback that must not return. Ours
// longjmps back into the small functions below, which hold nothing with a
// destructor, so the jump skips no C++ clean-up; the library object itself is
// owned by JpegJob and destroyed on every path.
#include "image/decoders/jpeg_decoder.h"

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "image/decoders/decode_error.h"
#include "image/decoders/pixel_rows.h"

namespace zk {
namespace {

// Real encoders write a dozen scans at most; thousands of tiny scans would
// each walk the whole coefficient buffer and only burn time.
constexpr int kMaxScans = 500;
// Rows asked from the library per call.
constexpr int kRowBatch = 4;
// What the library paints where data is missing.
constexpr Rgb kMissingGrey{128, 128, 128};

// Everything zeroed, so destroying is safe even when creating failed half way.
struct JpegJob {
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr err{};
  jpeg_progress_mgr progress{};
  std::jmp_buf jump{};
  char message[JMSG_LENGTH_MAX]{};
  bool cmyk = false;      // rows come as CMYK and are converted here
  bool inverted = false;  // CMYK stored inverted, as Adobe software writes it
  JSAMPARRAY cmyk_rows = nullptr;
  PixelTarget target;
  int rows_done = 0;

  JpegJob() { cinfo.client_data = this; }
  ~JpegJob() { jpeg_destroy_decompress(&cinfo); }
  JpegJob(const JpegJob&) = delete;
  JpegJob& operator=(const JpegJob&) = delete;
};

JpegJob* JobOf(j_common_ptr cinfo) { return static_cast<JpegJob*>(cinfo->client_data); }

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  JpegJob* job = JobOf(cinfo);
  (*cinfo->err->format_message)(cinfo, job->message);
  std::longjmp(job->jump, 1);
}

// Warnings (data ending early, corrupt entropy data) are not failures: the
// picture shows what decoded.
void IgnoreMessage(j_common_ptr) {}

void LimitScans(j_common_ptr cinfo) {
  if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number <= kMaxScans) return;
  JpegJob* job = JobOf(cinfo);
  std::snprintf(job->message, sizeof(job->message), "more than %d scans", kMaxScans);
  std::longjmp(job->jump, 1);
}

bool ReadHeader(JpegJob* job, const uint8_t* data, unsigned long size) {
  job->cinfo.err = jpeg_std_error(&job->err);
  job->err.error_exit = ErrorExit;
  job->err.output_message = IgnoreMessage;
  if (setjmp(job->jump)) return false;
  jpeg_create_decompress(&job->cinfo);
  job->progress.progress_monitor = LimitScans;
  job->cinfo.progress = &job->progress;
  jpeg_mem_src(&job->cinfo, data, size);
  jpeg_read_header(&job->cinfo, TRUE);
  switch (job->cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB:
      job->cinfo.out_color_space = JCS_EXT_BGR;
      break;
    case JCS_CMYK:
    case JCS_YCCK:
      job->cinfo.out_color_space = JCS_CMYK;  // the library turns YCCK into CMYK
      job->cmyk = true;
      job->inverted = job->cinfo.saw_Adobe_marker;
      break;
    default:
      std::snprintf(job->message, sizeof(job->message), "unsupported JPEG colour space (%d components)",
                    job->cinfo.num_components);
      return false;
  }
  jpeg_calc_output_dimensions(&job->cinfo);
  return true;
}

// A progressive file is read whole here, before any rows are asked for.
bool Start(JpegJob* job) {
  if (setjmp(job->jump)) return false;
  jpeg_start_decompress(&job->cinfo);
  if (job->cmyk) {
    job->cmyk_rows = (*job->cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&job->cinfo), JPOOL_IMAGE,
                                                     job->cinfo.output_width * 4, kRowBatch);
  }
  return true;
}

void CmykToBgr(const JSAMPLE* cmyk, uint8_t* bgr, JDIMENSION width, bool inverted) {
  for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
    int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
    if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    bgr[0] = static_cast<uint8_t>((y * k + 127) / 255);
    bgr[1] = static_cast<uint8_t>((m * k + 127) / 255);
    bgr[2] = static_cast<uint8_t>((c * k + 127) / 255);
  }
}

bool ReadRows(JpegJob* job) {
  if (setjmp(job->jump)) return false;
  while (job->cinfo.output_scanline < job->cinfo.output_height) {
    const int first = static_cast<int>(job->cinfo.output_scanline);
    const int want = std::min<int>(kRowBatch, static_cast<int>(job->cinfo.output_height) - first);
    JSAMPROW rows[kRowBatch];
    for (int i = 0; i < want; ++i) rows[i] = job->cmyk ? job->cmyk_rows[i] : job->target.Row(first + i);
    const int got = static_cast<int>(jpeg_read_scanlines(&job->cinfo, rows, static_cast<JDIMENSION>(want)));
    if (job->cmyk) {
      for (int i = 0; i < got; ++i)
        CmykToBgr(rows[i], job->target.Row(first + i), job->cinfo.output_width, job->inverted);
    }
    job->rows_done = first + got;
    if (got == 0) break;  // cannot happen with a memory source; never spin
  }
  return true;
}

}  // namespace

void DecodeJpeg(std::span<const uint8_t> data, PixelSink& sink) {
  if (data.size() > ULONG_MAX) throw PictureDecodeError("JPEG data too large");
  JpegJob job;
  if (!ReadHeader(&job, data.data(), static_cast<unsigned long>(data.size()))) throw PictureDecodeError(job.message);
  const int64_t width = job.cinfo.output_width, height = job.cinfo.output_height;
  if (!PictureSizeJustified(width, height, static_cast<int64_t>(data.size())))
    throw PictureDecodeError("JPEG picture size not justified by the file");
  if (!Start(&job)) throw PictureDecodeError(job.message);
  job.target = sink.Allocate(static_cast<int>(width), static_cast<int>(height));
  if (!ReadRows(&job)) {
    if (job.rows_done == 0) throw PictureDecodeError(job.message);
    FillRows(job.target, static_cast<int>(width), job.rows_done, static_cast<int>(height), kMissingGrey);
  } else if (job.rows_done < height) {
    FillRows(job.target, static_cast<int>(width), job.rows_done, static_cast<int>(height), kMissingGrey);
  }
}

}  // namespace zk
