#include "image/dib/nk_dib_win.h"

#include <cstring>
#include <vector>

#include "base/file_byte_source.h"
#include "image/dib/dib_error.h"
#include "image/dib/dib_expand.h"

namespace zk {
namespace {

using namespace dib_messages;

class WinPalette final : public DIBPaletteObject {
 public:
  explicit WinPalette(UniquePalette palette) : palette(std::move(palette)) {}
  UniquePalette palette;
};

UniquePalette MakePalette(std::span<const RgbQuad> colors) {
  if (colors.empty()) return {};
  std::vector<uint8_t> buffer(sizeof(LOGPALETTE) + colors.size() * sizeof(PALETTEENTRY));
  auto* log = reinterpret_cast<LOGPALETTE*>(buffer.data());
  log->palVersion = 0x300;
  log->palNumEntries = static_cast<WORD>(colors.size());
  for (size_t i = 0; i < colors.size(); ++i)
    log->palPalEntry[i] = PALETTEENTRY{colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue, 0};
  return UniquePalette(CreatePalette(log));
}

// BITMAPINFO with room for the whole colour table.
struct BitmapInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colors[256];
  BITMAPINFO* get() { return reinterpret_cast<BITMAPINFO*>(this); }
};
static_assert(sizeof(BITMAPINFOHEADER) == sizeof(BitmapInfoHeader));
static_assert(sizeof(RGBQUAD) == sizeof(RgbQuad));

BitmapInfo InfoOf(const TNkInternalDIB& dib) {
  BitmapInfo info{};
  std::memcpy(&info.header, &dib.header, sizeof(info.header));
  std::memcpy(info.colors, dib.colors.data(), sizeof(info.colors));
  return info;
}

class LockedGlobal {
 public:
  explicit LockedGlobal(HGLOBAL memory) : memory_(memory), data_(GlobalLock(memory)) {}
  ~LockedGlobal() {
    if (data_) GlobalUnlock(memory_);
  }
  LockedGlobal(const LockedGlobal&) = delete;
  LockedGlobal& operator=(const LockedGlobal&) = delete;
  uint8_t* data() const { return static_cast<uint8_t*>(data_); }

 private:
  HGLOBAL memory_;
  void* data_;
};

}  // namespace

void LoadDIBFromFile(TNkDIB& dib, const std::u16string& path) {
  FileByteSource file(path);
  if (!file.is_open()) throw ENkDIBInvalidFile(kCannotOpenFile);
  dib.LoadFromStream(file, 0);
}

HPALETTE DIBPalette(const TNkDIB& dib) {
  const TNkInternalDIB& storage = *dib.Storage();
  if (!dib.HasPalette()) return nullptr;
  auto* made = dynamic_cast<WinPalette*>(storage.palette.get());
  if (!made) {
    auto fresh = std::make_unique<WinPalette>(MakePalette(dib.Colors()));
    made = fresh.get();
    storage.palette = std::move(fresh);
  }
  return made->palette.get();
}

bool DrawDIB(const TNkDIB& dib, HDC dc, const RECT& rect, DWORD rop) {
  BitmapInfo info = InfoOf(*dib.Storage());
  HPALETTE palette = DIBPalette(dib);
  HPALETTE old_palette = nullptr;
  if (palette) {
    old_palette = SelectPalette(dc, palette, TRUE);
    RealizePalette(dc);
  }
  int old_mode = SetStretchBltMode(dc, COLORONCOLOR);
  int lines = StretchDIBits(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0, 0,
                            dib.Width(), dib.Height(), dib.Bits(), info.get(), DIB_RGB_COLORS, rop);
  SetStretchBltMode(dc, old_mode);
  if (palette) SelectPalette(dc, old_palette, TRUE);
  return lines > 0;
}

DIBBitmap AssignDIBToBitmap(const TNkDIB& dib) {
  const TNkInternalDIB& storage = *dib.Storage();
  const TNkPixelFormat format = storage.GetPixelFormat();
  const bool rle = format == nkPf4BitRLE || format == nkPf8BitRLE;
  BitmapInfo info = InfoOf(storage);
  info.header.biHeight = dib.Height();
  info.header.biCompression = BI_RGB;
  info.header.biSizeImage = 0;

  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, info.get(), DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) throw ENkDIBOutOfResources(kBitmapNotMade);
  const size_t stride = static_cast<size_t>(DibRowBytes(static_cast<uint64_t>(dib.Width()), dib.GetBitCount()));
  const size_t rows = static_cast<size_t>(dib.Height());
  std::vector<uint8_t> decoded;
  const uint8_t* source = storage.Bits();
  if (rle) {
    decoded = DecodeRLE(storage);
    source = decoded.data();
  }
  auto* target = static_cast<uint8_t*>(bits);
  for (size_t y = 0; y < rows; ++y) {
    size_t from = dib.TopDown() && !rle ? rows - 1 - y : y;
    std::memcpy(target + y * stride, source + from * stride, stride);
  }
  return DIBBitmap{std::move(bitmap), MakePalette(dib.Colors())};
}

void AssignDIBFromBitmap(TNkDIB& dib, HBITMAP bitmap, HPALETTE palette) {
  BITMAP bm{};
  GetObjectW(bitmap, sizeof(bm), &bm);
  int depth = bm.bmBitsPixel * bm.bmPlanes;
  if (depth != 1 && depth != 4 && depth != 8) depth = 24;
  auto storage = std::make_shared<TNkInternalDIB>();
  storage->CreateDIB(bm.bmWidth, bm.bmHeight, depth, depth <= 8 ? 1 << depth : 0);

  BitmapInfo info = InfoOf(*storage);
  info.header.biClrUsed = 0;  // the whole table for the depth
  WindowDc screen(nullptr);
  HPALETTE old_palette = nullptr;
  if (palette) {
    old_palette = SelectPalette(screen.get(), palette, FALSE);
    RealizePalette(screen.get());
  }
  int lines = GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(bm.bmHeight), storage->Bits(), info.get(),
                        DIB_RGB_COLORS);
  if (palette) SelectPalette(screen.get(), old_palette, FALSE);
  if (lines != bm.bmHeight) throw ENkDIBInvalidFile(kBitmapUnreadable);
  std::memcpy(storage->colors.data(), info.colors, sizeof(info.colors[0]) * storage->ColorCount());
  dib.SetStorage(std::move(storage));
}

UniqueGlobal SaveDIBToClipboardFormat(const TNkDIB& dib) {
  UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, dib.PackedDIBSize()));
  if (!block) throw ENkDIBOutOfResources(kClipboardOutOfMemory);
  LockedGlobal lock(block.get());
  if (!lock.data()) throw ENkDIBOutOfResources(kClipboardOutOfMemory);
  dib.WritePackedDIB(lock.data());
  return block;
}

void LoadDIBFromClipboardFormat(TNkDIB& dib, UINT format, HANDLE data) {
  if (format != CF_DIB || !data) throw ENkDIBInvalidFile(kClipboardNoData);
  LockedGlobal lock(data);
  if (!lock.data()) throw ENkDIBInvalidFile(kClipboardNoData);
  dib.LoadFromPackedDIB({lock.data(), GlobalSize(data)});
}

}  // namespace zk
