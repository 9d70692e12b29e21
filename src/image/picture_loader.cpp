#include "image/picture_loader.h"

#include <cstring>
#include <optional>

#include "base/win_files.h"
#include "base/win_text.h"
#include "image/decoders/decode_error.h"
#include "image/decoders/avif_decoder.h"
#include "image/decoders/jpeg_decoder.h"
#include "image/decoders/png_decoder.h"
#include "image/decoders/webp_decoder.h"
#include "image/dib/nk_dib_win.h"
#include "image/exif_orientation.h"
#include "image/find_jpeg_start.h"
#include "image/formats/avif_container.h"
#include "image/formats/bitmap_file_check.h"
#include "image/formats/icon_directory.h"
#include "image/formats/metafile_headers.h"
#include "image/gif_picture.h"
#include "image/plugins/spi_graphic.h"
#include "image/webp_picture.h"
#include "image/wic_decoder.h"

namespace zk {
namespace {

std::span<const uint8_t> Bytes(const std::string& s) { return {reinterpret_cast<const uint8_t*>(s.data()), s.size()}; }

Rgb ToRgb(COLORREF c) { return {GetRValue(c), GetGValue(c), GetBValue(c)}; }

std::string ReadOrThrow(const std::u16string& path) {
  std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) throw PictureLoadError("cannot read the file");
  return std::move(*bytes);
}

int ScreenDpi() {
  WindowDc screen(nullptr);
  const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSX);
  return dpi > 0 ? dpi : 96;
}

// A photo's pixels turned upright by its EXIF orientation, once, before
// anything (fitting, zoom, saving, the clipboard) sees them.
DibSection24 Upright(DibSection24 section, std::span<const uint8_t> jpeg) {
  return TurnUpright(std::move(section), JpegExifOrientation(jpeg));
}

std::unique_ptr<Picture> DecodeJpegPicture(std::span<const uint8_t> bytes) {
  DibSectionSink sink;
  DecodeJpeg(bytes, sink);
  return MakeBitmapPicture(Upright(std::move(sink.section), bytes));
}

std::unique_ptr<Picture> DecodeAvifPicture(std::span<const uint8_t> bytes, COLORREF background) {
  DibSectionSink sink;
  const int orientation = DecodeAvif(bytes, ToRgb(background), sink);
  return MakeBitmapPicture(TurnUpright(std::move(sink.section), orientation));
}

std::unique_ptr<Picture> DecodePngPicture(std::span<const uint8_t> bytes, COLORREF background) {
  DibSectionSink sink;
  DecodePng(bytes, ToRgb(background), sink);
  return MakeBitmapPicture(std::move(sink.section));
}

// The platform's own bitmap reading (every standard header, bit fields, RLE,
// top-down), after the headers were found sound. The platform converts the
// file's pixels into a 24-bit section, whatever their format.
std::unique_ptr<Picture> DecodeWindowsBitmap(std::span<const uint8_t> bytes) {
  BitmapFileFacts facts;
  std::string reason;
  if (!CheckBitmapFile(bytes, bytes.size(), &facts, &reason)) throw PictureLoadError(reason);
  const uint32_t bits_offset = static_cast<uint32_t>(bytes[10] | bytes[11] << 8 | bytes[12] << 16) |
                               static_cast<uint32_t>(bytes[13]) << 24;
  DibSection24 dib = CreateDibSection24(facts.width, facts.height);
  WindowDc screen(nullptr);
  const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes.data() + 14);
  if (SetDIBits(screen.get(), dib.bitmap.get(), 0, static_cast<UINT>(facts.height), bytes.data() + bits_offset, info,
                DIB_RGB_COLORS) <= 0)
    throw PictureLoadError("the platform could not read the bitmap");
  return MakeBitmapPicture(std::move(dib));
}

std::unique_ptr<Picture> LoadIcon(const std::u16string& path, COLORREF background) {
  const std::string file = ReadOrThrow(path);
  const std::optional<IconImage> image = ChooseIconImage(Bytes(file));
  if (!image) throw PictureLoadError("no sound image in the icon file");
  const std::span<const uint8_t> data = Bytes(file).subspan(image->offset, image->size);
  if (image->png) {
    DibSectionSink sink;
    DecodePng(data, ToRgb(background), sink);
    return MakeBitmapPicture(std::move(sink.section));
  }
  UniqueIcon icon(CreateIconFromResourceEx(const_cast<uint8_t*>(data.data()), static_cast<DWORD>(data.size()), TRUE,
                                           0x00030000, image->width, image->height, LR_DEFAULTCOLOR));
  if (!icon) throw PictureLoadError("the platform could not read the icon");
  DibSection24 dib = CreateDibSection24(image->width, image->height);
  {
    UniqueMemoryDc mem(CreateCompatibleDC(nullptr));
    SelectGuard select(mem.get(), dib.bitmap.get());
    RECT rect{0, 0, image->width, image->height};
    UniqueBrush brush(CreateSolidBrush(background));
    FillRect(mem.get(), &rect, brush.get());
    DrawIconEx(mem.get(), 0, 0, icon.get(), image->width, image->height, 0, nullptr, DI_NORMAL);
  }
  GdiFlush();
  return MakeBitmapPicture(std::move(dib));
}

std::unique_ptr<Picture> LoadEnhancedMetafile(const std::u16string& path) {
  const std::string file = ReadOrThrow(path);
  const std::optional<EnhancedMetafileFacts> facts = ReadEnhancedMetafileHeader(Bytes(file));
  if (!facts) throw PictureLoadError("not a sound enhanced metafile");
  UniqueEnhMetafile metafile(SetEnhMetaFileBits(static_cast<UINT>(facts->size), Bytes(file).data()));
  if (!metafile) throw PictureLoadError("the platform could not read the metafile");
  const int dpi = ScreenDpi();
  return MakeMetafilePicture(std::move(metafile),
                             {HimetricToPixels(facts->frame_width, dpi), HimetricToPixels(facts->frame_height, dpi)});
}

std::unique_ptr<Picture> LoadWindowsMetafile(const std::u16string& path) {
  const std::string file = ReadOrThrow(path);
  const std::optional<WindowsMetafileFacts> facts = ReadWindowsMetafileHeader(Bytes(file));
  if (!facts) throw PictureLoadError("not a sound metafile");
  const int dpi = ScreenDpi();
  METAFILEPICT pict{MM_ANISOTROPIC, 0, 0, nullptr};
  SIZE size{0, 0};
  if (facts->placeable) {
    size = {UnitsToPixels(facts->box_width, facts->units_per_inch, dpi),
            UnitsToPixels(facts->box_height, facts->units_per_inch, dpi)};
    pict.xExt = static_cast<LONG>(int64_t{facts->box_width} * 2540 / facts->units_per_inch);
    pict.yExt = static_cast<LONG>(int64_t{facts->box_height} * 2540 / facts->units_per_inch);
  }
  UniqueEnhMetafile metafile(SetWinMetaFileBits(static_cast<UINT>(facts->data_size),
                                                Bytes(file).data() + facts->data_offset, nullptr,
                                                facts->placeable ? &pict : nullptr));
  if (!metafile) throw PictureLoadError("the platform could not read the metafile");
  if (!facts->placeable) {
    // Without a placeable header only the converted picture knows its frame.
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(metafile.get(), sizeof(header), &header);
    size = {HimetricToPixels(int64_t{header.rclFrame.right} - header.rclFrame.left + 1, dpi),
            HimetricToPixels(int64_t{header.rclFrame.bottom} - header.rclFrame.top + 1, dpi)};
  }
  return MakeMetafilePicture(std::move(metafile), size);
}

std::unique_ptr<Picture> LoadNkDIB(const std::u16string& path) {
  TNkDIB dib;
  LoadDIBFromFile(dib, path);
  return MakeDIBPicture(dib);
}

std::unique_ptr<Picture> LoadSPINkDIB(const std::u16string& path) {
  TSPINkDIB dib;
  dib.LoadFromFile(path);
  return MakeDIBPicture(dib.DIB());
}

std::unique_ptr<Picture> LoadSPIBitmap(const std::u16string& path) {
  TSPIBitmap bitmap;
  bitmap.LoadFromFile(path);
  return MakeBitmapPicture(bitmap.TakeBitmap());
}

bool StartsWith(std::span<const uint8_t> bytes, std::string_view signature) {
  return bytes.size() >= signature.size() && std::memcmp(bytes.data(), signature.data(), signature.size()) == 0;
}

// The built-in decoders by the signature at the start of the data.
std::unique_ptr<Picture> DecodeBySignature(std::span<const uint8_t> bytes, COLORREF background) {
  try {
    if (StartsWith(bytes, "\xFF\xD8\xFF")) return DecodeJpegPicture(bytes);
    if (StartsWith(bytes, "\x89PNG")) return DecodePngPicture(bytes, background);
    if (StartsWith(bytes, "GIF8"))
      return LoadGifPicture(std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()), ToRgb(background));
    if (StartsWith(bytes, "BM")) return DecodeWindowsBitmap(bytes);
    if (LooksLikeWebp(bytes))
      return LoadWebpPicture(std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()), ToRgb(background));
    if (LooksLikeAvif(bytes)) return DecodeAvifPicture(bytes, background);
  } catch (const PictureDecodeError& e) {
    throw PictureLoadError(e.what());
  } catch (const std::bad_alloc&) {
    throw PictureLoadError("out of memory");
  }
  throw PictureLoadError("no decoder knows the content");
}

}  // namespace

std::unique_ptr<Picture> LoadPictureFile(PictureDecoderKind kind, const std::u16string& path, COLORREF background) {
  try {
    switch (kind) {
      case PictureDecoderKind::kMetafile: return LoadWindowsMetafile(path);
      case PictureDecoderKind::kEnhancedMetafile: return LoadEnhancedMetafile(path);
      case PictureDecoderKind::kIcon: return LoadIcon(path, background);
      case PictureDecoderKind::kWindowsBitmap: return DecodeWindowsBitmap(Bytes(ReadOrThrow(path)));
      case PictureDecoderKind::kJpeg: return DecodeJpegPicture(Bytes(ReadOrThrow(path)));
      case PictureDecoderKind::kGif: return LoadGifPicture(ReadOrThrow(path), ToRgb(background));
      case PictureDecoderKind::kPng: return DecodePngPicture(Bytes(ReadOrThrow(path)), background);
      case PictureDecoderKind::kNkDIB: return LoadNkDIB(path);
      case PictureDecoderKind::kPlugin: return LoadSPINkDIB(path);
      case PictureDecoderKind::kPluginBitmap: return LoadSPIBitmap(path);
      case PictureDecoderKind::kWebp: return LoadWebpPicture(ReadOrThrow(path), ToRgb(background));
      case PictureDecoderKind::kAvif: return DecodeAvifPicture(Bytes(ReadOrThrow(path)), background);
      case PictureDecoderKind::kWic: return LoadWicPicture(Bytes(ReadOrThrow(path)), background);
    }
  } catch (const PictureDecodeError& e) {
    throw PictureLoadError(e.what());
  } catch (const std::bad_alloc&) {
    throw PictureLoadError("out of memory");
  }
  throw PictureLoadError("unknown decoder");
}

std::unique_ptr<Picture> LoadPictureByContent(std::span<const uint8_t> bytes, COLORREF background) {
  try {
    TSPINkDIB dib;
    dib.LoadFromStream(bytes);
    return MakeDIBPicture(dib.DIB());
  } catch (const std::exception&) {
    // Plug-ins keep precedence; a picture whose name lies, or the program's
    // own cache files, still have the built-in decoders.
  }
  try {
    return DecodeBySignature(bytes, background);
  } catch (const PictureLoadError&) {
    // The system's own decoders come last.
    return LoadWicPicture(bytes, background);
  }
}

bool BitmapFromMemory(std::span<const uint8_t> buffer, UniqueBitmap& bitmap) {
  if (buffer.empty()) return false;
  try {
    TSPINkDIB dib;
    dib.LoadFromStream(buffer);
    DIBBitmap made = AssignDIBToBitmap(dib.DIB());
    if (!made.bitmap) return false;
    bitmap = std::move(made.bitmap);
    return true;
  } catch (...) {
  }
  try {
    // PNG and GIF by their signatures, transparent parts over white.
    const std::unique_ptr<Picture> picture = DecodeBySignature(buffer, RGB(255, 255, 255));
    bitmap = std::move(PictureToDibSection(*picture, RGB(255, 255, 255)).bitmap);
    if (bitmap) return true;
  } catch (...) {
  }
  const int start = FindJpegStart(buffer);
  if (start < 0) return false;
  try {
    DibSectionSink sink;
    const std::span<const uint8_t> jpeg = buffer.subspan(static_cast<size_t>(start));
    DecodeJpeg(jpeg, sink);
    bitmap = std::move(Upright(std::move(sink.section), jpeg).bitmap);
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace zk
