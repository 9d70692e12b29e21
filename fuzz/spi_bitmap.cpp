// The two blocks a plug-in hands back: checked, carried on as a bitmap file
// and read into the DIB container as the program does. A picture the check
// lets through must load.
#include "image/dib/dib_error.h"
#include "image/dib/dib_expand.h"
#include "image/dib/nk_dib.h"
#include "image/plugins/spi_bitmap.h"
#include "fuzz_input.h"

using namespace zk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FuzzInput in(data, size);
  const std::string info = in.Text(255) + in.Text(255) + in.Text(255) + in.Text(255) + in.Text(255);
  const std::string bits = in.Rest();
  const std::optional<SpiBitmapFacts> facts = CheckSpiBitmap(fuzz::Bytes(info), bits.size());
  if (!facts) return 0;
  fuzz::Require(facts->info_size <= 40 + 4 * 256 && facts->image_size <= bits.size(), "facts beyond the blocks");
  const std::string file = SpiBitmapFile(fuzz::Bytes(info), fuzz::Bytes(bits), *facts);
  fuzz::Require(file.size() == 14 + facts->info_size + facts->image_size, "bitmap file size");
  TNkDIB dib;
  try {
    dib.LoadFromBytes(file);
  } catch (const ENkDIBError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    fuzz::Require(false, "a checked plug-in picture does not load");
  }
  fuzz::Require(dib.Width() == facts->width && dib.Height() == std::abs(facts->height), "loaded size");
  if (facts->image_size <= (1 << 22)) ExpandToRGB(*dib.Storage());
  return 0;
}
