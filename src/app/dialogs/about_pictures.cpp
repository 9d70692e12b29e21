#include "app/dialogs/about_pictures.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace zk {
namespace {

// GDI draws without smoothing; drawing at this many times the size and
// averaging the blocks gives smooth edges.
constexpr int kScale = 4;

struct Canvas {
  int width = 0, height = 0;  // in drawing units (kScale times the picture)
  UniqueMemoryDc dc;
  UniqueBitmap bitmap;
  uint32_t* pixels = nullptr;

  Canvas(int w, int h) : width(w * kScale), height(h * kScale) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap.reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    pixels = static_cast<uint32_t*>(bits);
    dc.reset(CreateCompatibleDC(nullptr));
  }
  bool ok() const { return bitmap && dc && pixels; }
  int S(double units) const { return static_cast<int>(units * kScale + 0.5); }
};

// Selects a new pen and brush for one shape and deletes them afterwards.
class Paint {
 public:
  Paint(HDC dc, COLORREF fill, COLORREF line = CLR_INVALID, int line_width = 0)
      : brush_(fill == CLR_INVALID ? nullptr : CreateSolidBrush(fill)),
        pen_(line == CLR_INVALID ? nullptr : CreatePen(PS_SOLID, line_width, line)),
        brush_sel_(dc, brush_ ? brush_.get() : GetStockObject(NULL_BRUSH)),
        pen_sel_(dc, pen_ ? static_cast<HGDIOBJ>(pen_.get()) : GetStockObject(NULL_PEN)) {}

 private:
  UniqueBrush brush_;
  UniqueResource<HPEN, GdiTraits<HPEN>> pen_;
  SelectGuard brush_sel_;
  SelectGuard pen_sel_;
};

void FillBox(HDC dc, int l, int t, int r, int b, COLORREF c) {
  Paint p(dc, c);
  Rectangle(dc, l, t, r + 1, b + 1);  // a null pen leaves one pixel out
}

void ThickLine(HDC dc, int x1, int y1, int x2, int y2, int width, COLORREF c) {
  LOGBRUSH lb{BS_SOLID, c, 0};
  UniqueResource<HPEN, GdiTraits<HPEN>> pen(
      ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND, width, &lb, 0, nullptr));
  SelectGuard sel(dc, pen.get());
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

// Vertical gradient between two colours over the box left..right, top..bottom.
void Gradient(Canvas& c, int left, int top, int right, int bottom, COLORREF from, COLORREF to) {
  left = std::max(left, 0);
  right = std::min(right, c.width);
  if (left >= right) return;
  GdiFlush();  // the pixels are written directly
  for (int y = std::max(top, 0); y < std::min(bottom, c.height); ++y) {
    double t = bottom > top + 1 ? double(y - top) / (bottom - top - 1) : 0;
    auto mix = [&](int a, int b) { return static_cast<uint32_t>(a + (b - a) * t + 0.5); };
    uint32_t px = (mix(GetRValue(from), GetRValue(to)) << 16) | (mix(GetGValue(from), GetGValue(to)) << 8) |
                  mix(GetBValue(from), GetBValue(to));
    std::fill(c.pixels + static_cast<size_t>(y) * c.width + left, c.pixels + static_cast<size_t>(y) * c.width + right,
              px);
  }
}

// The drawing reduced to its real size, each pixel the mean of its block.
UniqueBitmap Reduce(Canvas& c) {
  GdiFlush();
  int w = c.width / kScale, h = c.height / kScale;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  UniqueBitmap out(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!out || !bits) return {};
  auto* dst = static_cast<uint32_t*>(bits);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t r = 0, g = 0, b = 0;
      for (int dy = 0; dy < kScale; ++dy) {
        const uint32_t* row = c.pixels + static_cast<size_t>(y * kScale + dy) * c.width + x * kScale;
        for (int dx = 0; dx < kScale; ++dx) {
          r += (row[dx] >> 16) & 0xFF;
          g += (row[dx] >> 8) & 0xFF;
          b += row[dx] & 0xFF;
        }
      }
      constexpr uint32_t n = kScale * kScale;
      dst[static_cast<size_t>(y) * w + x] = ((r / n) << 16) | ((g / n) << 8) | (b / n);
    }
  return out;
}

constexpr COLORREF kTileBlue = RGB(43, 108, 181);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBarYellow = RGB(247, 198, 68);

// The emblem in a square of side s (drawing units) at (x0, y0).
void Emblem(HDC dc, double x0, double y0, double s, bool tile) {
  auto X = [&](double f) { return static_cast<int>(x0 + f * s + 0.5); };
  auto Y = [&](double f) { return static_cast<int>(y0 + f * s + 0.5); };
  if (tile) {
    Paint p(dc, kTileBlue);
    int r = static_cast<int>(s * 0.34);
    RoundRect(dc, X(0.02), Y(0.02), X(0.98), Y(0.98), r, r);
  }
  ThickLine(dc, X(0.55), Y(0.55), X(0.83), Y(0.83), static_cast<int>(s * 0.11), kWhite);
  {
    Paint p(dc, kWhite);
    Ellipse(dc, X(0.11), Y(0.11), X(0.69), Y(0.69));
  }
  {
    Paint p(dc, kTileBlue);
    Ellipse(dc, X(0.19), Y(0.19), X(0.61), Y(0.61));
  }
  int bar = std::max(1, static_cast<int>(s * 0.022));  // half the bar's height
  for (int i = -1; i <= 1; ++i) {
    int cy = Y(0.40 + i * 0.085);
    FillBox(dc, X(0.29), cy - bar, X(0.51), cy + bar, kBarYellow);
  }
}

// A small window frame with a title strip; returns the client box.
RECT WindowFrame(HDC dc, int l, int t, int r, int b, int title, COLORREF title_color) {
  FillBox(dc, l + 6, t + 8, r + 6, b + 8, RGB(120, 140, 170));  // shadow
  FillBox(dc, l, t, r, b, RGB(92, 110, 140));
  FillBox(dc, l + 2, t + 2, r - 2, t + title, title_color);
  FillBox(dc, l + 2, t + title, r - 2, b - 2, kWhite);
  return RECT{l + 2, t + title, r - 2, b - 2};
}

}  // namespace

UniqueBitmap DrawAboutEmblem(int size, COLORREF background) {
  if (size <= 0) return {};
  Canvas c(size, size);
  if (!c.ok()) return {};
  SelectGuard sel(c.dc.get(), c.bitmap.get());
  FillBox(c.dc.get(), 0, 0, c.width, c.height, background);
  Emblem(c.dc.get(), 0, 0, c.width, true);
  return Reduce(c);
}

UniqueBitmap DrawAboutScenery(int width, int height) {
  if (width <= 0 || height <= 0) return {};
  Canvas c(width, height);
  if (!c.ok()) return {};
  HDC dc = c.dc.get();
  SelectGuard sel(dc, c.bitmap.get());
  const int W = c.width, H = c.height;
  auto S = [&](double px) { return c.S(px); };

  Gradient(c, 0, 0, W, H, RGB(224, 236, 250), RGB(150, 186, 228));

  // The search window: a list of results with one line selected.
  int lw = W * 40 / 100, top = H * 18 / 100;
  RECT list = WindowFrame(dc, S(18), top, S(18) + lw, H * 80 / 100, S(14), RGB(70, 96, 138));
  int row_h = S(14);
  int rows = (list.bottom - list.top - S(8)) / row_h;
  int selected = rows / 2;
  for (int i = 0; i < rows; ++i) {
    int y = list.top + S(6) + i * row_h;
    if (i == selected) FillBox(dc, list.left + S(2), y - S(3), list.right - S(2), y + row_h - S(4), RGB(51, 153, 255));
    COLORREF icon = i == selected ? kWhite : (i % 3 == 0 ? RGB(230, 180, 60) : RGB(120, 150, 200));
    FillBox(dc, list.left + S(6), y, list.left + S(13), y + S(7), icon);
    int len = (list.right - list.left - S(26)) * (55 + (i * 37) % 40) / 100;
    FillBox(dc, list.left + S(18), y + S(2), list.left + S(18) + len, y + S(5),
            i == selected ? kWhite : RGB(170, 178, 190));
  }
  int sel_y = list.top + S(6) + selected * row_h + S(3);

  // The preview window showing the selected picture.
  int pl = W * 52 / 100, pt = H * 10 / 100, pr = W - S(18), pb = H * 72 / 100;
  RECT view = WindowFrame(dc, pl, pt, pr, pb, S(14), kTileBlue);
  {
    int vt = view.top + S(6), vb = view.bottom - S(6), vl = view.left + S(6), vr = view.right - S(6);
    Gradient(c, vl, vt, vr, vb, RGB(120, 180, 240), RGB(210, 232, 250));
    // Sun and two hills, clipped to the picture area.
    HRGN clip = CreateRectRgn(vl, vt, vr, vb);
    SelectClipRgn(dc, clip);
    {
      Paint p(dc, RGB(255, 214, 90));
      int r = (vr - vl) / 9;
      Ellipse(dc, vr - 3 * r, vt + r / 2, vr - r, vt + r * 5 / 2);
    }
    {
      Paint p(dc, RGB(96, 170, 90));
      Ellipse(dc, vl - (vr - vl) / 3, vb - (vb - vt) / 2, vl + (vr - vl) * 2 / 3, vb + (vb - vt) / 2);
    }
    {
      Paint p(dc, RGB(64, 140, 74));
      Ellipse(dc, vl + (vr - vl) / 3, vb - (vb - vt) * 2 / 5, vr + (vr - vl) / 3, vb + (vb - vt) / 2);
    }
    SelectClipRgn(dc, nullptr);
    DeleteObject(clip);
  }

  // The selection carried over: an arrow from the selected row to the preview.
  int ax = pl - S(5);
  ThickLine(dc, list.right + S(8), sel_y, ax - S(8), sel_y, S(3), RGB(51, 153, 255));
  {
    Paint p(dc, RGB(51, 153, 255));
    POINT head[3] = {{ax, sel_y}, {ax - S(12), sel_y - S(8)}, {ax - S(12), sel_y + S(8)}};
    Polygon(dc, head, 3);
  }

  // The emblem, large, over the lower right corner.
  double es = std::min(W, H) * 0.34;
  Emblem(dc, W - es - S(14), H - es - S(10), es, true);
  return Reduce(c);
}

}  // namespace zk
