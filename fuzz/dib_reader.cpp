// The DIB container's reader on file data and on the clipboard's packed
// layout, then every way the program takes pixels out of what it read.
#include "image/dib/dib_error.h"
#include "image/dib/dib_expand.h"
#include "image/dib/nk_dib.h"
#include "fuzz_input.h"

using namespace zk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const bool packed = data[0] & 1;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  TNkDIB dib;
  try {
    if (packed) dib.LoadFromPackedDIB(fuzz::Bytes(bytes));
    else dib.LoadFromBytes(bytes);
  } catch (const ENkDIBError&) {
    return 0;
  }
  const TNkInternalDIB& storage = *dib.Storage();
  const TNkPixelFormat format = dib.GetPixelFormat();
  const uint64_t stride = DibRowBytes(static_cast<uint64_t>(dib.Width()), dib.GetBitCount());
  const uint64_t rows = static_cast<uint64_t>(dib.Height());
  // Pictures this large are legal; the pixel walks below would only slow the run.
  if (stride * rows > (uint64_t{1} << 22) || static_cast<uint64_t>(dib.Width()) * rows > (uint64_t{1} << 20)) return 0;
  // Turning the picture into a bitmap copies whole rows from the storage (or
  // from the decoded RLE rows).
  if (format == nkPf4BitRLE || format == nkPf8BitRLE)
    fuzz::Require(DecodeRLE(storage).size() >= stride * rows, "RLE rows too short");
  else
    fuzz::Require(dib.BitsSize() >= stride * rows, "pixel rows too short");
  const DIBPixels pixels = ExpandToRGB(storage);
  fuzz::Require(pixels.pixels.size() == static_cast<size_t>(dib.Width()) * rows, "pixel count");

  TNkDIB again;
  again.LoadFromBytes(dib.SaveToBytes());
  fuzz::Require(ExpandToRGB(*again.Storage()).pixels == pixels.pixels, "saved picture differs");
  std::vector<uint8_t> block(dib.PackedDIBSize());
  dib.WritePackedDIB(block.data());
  TNkDIB from_clipboard;
  from_clipboard.LoadFromPackedDIB(block);
  fuzz::Require(ExpandToRGB(*from_clipboard.Storage()).pixels == pixels.pixels, "clipboard picture differs");
  if (dib.GetBitCount() == 24 && rows * stride <= (1 << 16)) dib.CreateTrueColorPalette();
  return 0;
}
