// The header checks the program runs before the platform reads a bitmap,
// icon or metafile, and what the program then takes from the file on their word.
#include "image/decoders/decode_error.h"
#include "image/decoders/png_decoder.h"
#include "image/formats/bitmap_file_check.h"
#include "image/formats/icon_directory.h"
#include "image/formats/metafile_headers.h"
#include "fuzz_input.h"

using namespace zk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> file(data, size);

  BitmapFileFacts facts;
  std::string reason;
  if (CheckBitmapFile(file, size, &facts, &reason)) {
    // The platform is handed the info header at 14 and the pixels at the data offset.
    fuzz::Require(size >= 18 && facts.width > 0 && facts.height > 0, "bitmap facts");
    const uint32_t bits_at = data[10] | data[11] << 8 | data[12] << 16 | static_cast<uint32_t>(data[13]) << 24;
    fuzz::Require(bits_at < size, "pixel data outside the file");
  }

  if (const std::optional<IconImage> icon = ChooseIconImage(file)) {
    fuzz::Require(icon->offset <= size && icon->size <= size - icon->offset, "icon image outside the file");
    fuzz::Require(icon->width > 0 && icon->height > 0, "icon image size");
    if (icon->png) {
      fuzz::CappedPixelSink sink;
      try {
        DecodePng(file.subspan(icon->offset, icon->size), Rgb{255, 255, 255}, sink);
      } catch (const PictureDecodeError&) {
      } catch (const fuzz::CappedPixelSink::TooLarge&) {
      }
    }
  }
  ReadIconDirectory(file);

  if (const std::optional<WindowsMetafileFacts> wmf = ReadWindowsMetafileHeader(file)) {
    fuzz::Require(wmf->data_offset <= size && wmf->data_size <= size - wmf->data_offset, "metafile records outside");
    if (wmf->placeable) {
      fuzz::Require(wmf->units_per_inch != 0, "placeable metafile without units");
      UnitsToPixels(wmf->box_width, wmf->units_per_inch, 96);
      UnitsToPixels(wmf->box_height, wmf->units_per_inch, 96);
    }
  }
  if (const std::optional<EnhancedMetafileFacts> emf = ReadEnhancedMetafileHeader(file)) {
    fuzz::Require(emf->size <= size, "enhanced metafile longer than the file");
    HimetricToPixels(emf->frame_width, 96);
    HimetricToPixels(emf->frame_height, 144);
  }
  return 0;
}
