#include "image/picture.h"

#include "image/dib/nk_dib_win.h"

namespace zk {

void DrawBitmapStretched(HDC dc, const RECT& rect, HBITMAP bitmap, SIZE size) {
  UniqueMemoryDc mem(CreateCompatibleDC(dc));
  SelectGuard select(mem.get(), bitmap);
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w == size.cx && h == size.cy) {
    BitBlt(dc, rect.left, rect.top, w, h, mem.get(), 0, 0, SRCCOPY);
    return;
  }
  // Reductions average their pixels; enlargements keep them sharp.
  const bool reducing = w < size.cx || h < size.cy;
  const int old_mode = SetStretchBltMode(dc, reducing ? HALFTONE : COLORONCOLOR);
  POINT old_origin;
  SetBrushOrgEx(dc, 0, 0, &old_origin);
  StretchBlt(dc, rect.left, rect.top, w, h, mem.get(), 0, 0, size.cx, size.cy, SRCCOPY);
  SetBrushOrgEx(dc, old_origin.x, old_origin.y, nullptr);
  SetStretchBltMode(dc, old_mode);
}

namespace {

class BitmapPicture final : public Picture {
 public:
  explicit BitmapPicture(UniqueBitmap bitmap) : bitmap_(std::move(bitmap)) {
    BITMAP bm{};
    if (bitmap_ && GetObjectW(bitmap_.get(), sizeof(bm), &bm)) size_ = {bm.bmWidth, bm.bmHeight};
    DIBSECTION ds{};
    if (GetObjectW(bitmap_.get(), sizeof(ds), &ds) == sizeof(ds) && ds.dsBm.bmBits && ds.dsBmih.biBitCount == 24 &&
        ds.dsBmih.biCompression == BI_RGB) {
      PixelBuffer unused;
      view_ = BitmapPixels(bitmap_.get(), unused);
    }
  }
  SIZE Size() const override { return size_; }
  void Draw(HDC dc, const RECT& rect) const override { DrawBitmapStretched(dc, rect, bitmap_.get(), size_); }
  PixelView Pixels() const override {
    if (!view_.empty()) GdiFlush();
    return view_;
  }

 private:
  UniqueBitmap bitmap_;
  SIZE size_{0, 0};
  PixelView view_;
};

class MetafilePicture final : public Picture {
 public:
  MetafilePicture(UniqueEnhMetafile metafile, SIZE size) : metafile_(std::move(metafile)), size_(size) {}
  SIZE Size() const override { return size_; }
  void Draw(HDC dc, const RECT& rect) const override {
    const int saved = SaveDC(dc);
    PlayEnhMetaFile(dc, metafile_.get(), &rect);
    RestoreDC(dc, saved);
  }

 private:
  UniqueEnhMetafile metafile_;
  SIZE size_;
};

class DIBPicture final : public Picture {
 public:
  explicit DIBPicture(const TNkDIB& dib) : dib_(dib) {}
  SIZE Size() const override { return {dib_.Width(), dib_.Height()}; }
  void Draw(HDC dc, const RECT& rect) const override {
    const int old_mode = SetStretchBltMode(dc, COLORONCOLOR);
    DrawDIB(dib_, dc, rect);
    SetStretchBltMode(dc, old_mode);
  }

 private:
  TNkDIB dib_;
};

}  // namespace

std::unique_ptr<Picture> MakeBitmapPicture(UniqueBitmap bitmap) {
  return std::make_unique<BitmapPicture>(std::move(bitmap));
}

std::unique_ptr<Picture> MakeBitmapPicture(DibSection24 section) {
  return std::make_unique<BitmapPicture>(std::move(section.bitmap));
}

std::unique_ptr<Picture> MakeMetafilePicture(UniqueEnhMetafile metafile, SIZE size) {
  return std::make_unique<MetafilePicture>(std::move(metafile), size);
}

std::unique_ptr<Picture> MakeDIBPicture(const TNkDIB& dib) { return std::make_unique<DIBPicture>(dib); }

DibSection24 PictureToDibSection(const Picture& picture, COLORREF background) {
  const SIZE size = picture.Size();
  DibSection24 dib = CreateDibSection24(size.cx, size.cy);
  UniqueMemoryDc mem(CreateCompatibleDC(nullptr));
  SelectGuard select(mem.get(), dib.bitmap.get());
  RECT rect{0, 0, size.cx, size.cy};
  UniqueBrush brush(CreateSolidBrush(background));
  FillRect(mem.get(), &rect, brush.get());
  picture.Draw(mem.get(), rect);
  GdiFlush();
  return dib;
}

}  // namespace zk
