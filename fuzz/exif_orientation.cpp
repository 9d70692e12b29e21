// Any bytes as a JPEG's start or as a TIFF structure for the EXIF orientation
// reader: it never reads past the bytes and always answers an orientation.
#include "fuzz_input.h"
#include "image/exif_orientation.h"

using namespace zk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  const int jpeg = JpegExifOrientation(bytes);
  fuzz::Require(jpeg >= 1 && jpeg <= 8, "no orientation from the JPEG reader");
  const int tiff = TiffOrientation(bytes);
  fuzz::Require(tiff >= 1 && tiff <= 8, "no orientation from the TIFF reader");
  return 0;
}
