#include "image/dib_section.h"

#include <cstring>
#include <new>

#include "image/exif_orientation.h"

namespace zk {

DibSection24 CreateDibSection24(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down: rows in the order decoders produce them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  DibSection24 dib;
  dib.bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib.bitmap || !bits) throw std::bad_alloc();
  dib.bits = static_cast<uint8_t*>(bits);
  dib.width = width;
  dib.height = height;
  dib.stride = PixelBuffer::RowBytes(width);
  return dib;
}

PixelTarget DibSectionSink::Allocate(int width, int height) {
  section = CreateDibSection24(width, height);
  return {section.bits, section.stride};
}

PixelView BitmapPixels(HBITMAP bitmap, PixelBuffer& copy) {
  DIBSECTION ds{};
  if (GetObjectW(bitmap, sizeof(ds), &ds) == sizeof(ds) && ds.dsBm.bmBits &&
      (ds.dsBmih.biBitCount == 24 || ds.dsBmih.biBitCount == 32) && ds.dsBmih.biCompression == BI_RGB) {
    GdiFlush();  // the section's memory must hold every drawing made so far
    const int height = ds.dsBm.bmHeight;
    const ptrdiff_t stride = ds.dsBm.bmWidthBytes;
    auto* base = static_cast<const uint8_t*>(ds.dsBm.bmBits);
    const bool top_down = ds.dsBmih.biHeight < 0;
    return {top_down ? base : base + (height - 1) * stride, ds.dsBm.bmWidth, height, top_down ? stride : -stride,
            ds.dsBmih.biBitCount / 8};
  }
  BITMAP bm{};
  if (!GetObjectW(bitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return {};
  copy = PixelBuffer(bm.bmWidth, bm.bmHeight);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = bm.bmWidth;
  info.bmiHeader.biHeight = -bm.bmHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  WindowDc screen(nullptr);
  if (!GetDIBits(screen.get(), bitmap, 0, bm.bmHeight, copy.bytes.data(), &info, DIB_RGB_COLORS)) return {};
  return copy.View();
}

DibSection24 DibSectionFromPixels(const PixelBuffer& pixels) {
  DibSection24 dib = CreateDibSection24(pixels.width, pixels.height);
  const size_t row = static_cast<size_t>(pixels.width) * 3;
  for (int y = 0; y < pixels.height; ++y) std::memcpy(dib.bits + y * dib.stride, pixels.Row(y), row);
  return dib;
}

}  // namespace zk

namespace zk {

DibSection24 TurnUpright(DibSection24 section, int orientation) {
  if (orientation < 2 || orientation > 8) return section;
  const bool swap = OrientationSwapsSides(orientation);
  DibSection24 turned = CreateDibSection24(swap ? section.height : section.width, swap ? section.width : section.height);
  OrientPixels(section.View(), orientation, turned.bits, turned.stride);
  return turned;
}

}  // namespace zk
