#include "app/window/toolbar_pictures.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/win_handles.h"
#include "image/dib_section.h"
#include "image/smooth_resize.h"

namespace zk {
namespace {

constexpr int kCanvas = 128;  // drawing size; reduced to the wanted size afterwards

class Painter {
 public:
  explicit Painter(HDC dc) : dc_(dc) {}
  void Pen(COLORREF c, int width) {
    pen_.reset(CreatePen(PS_SOLID, width, c));
    SelectObject(dc_, pen_.get());
  }
  void NoPen() { SelectObject(dc_, GetStockObject(NULL_PEN)); }
  void Brush(COLORREF c) {
    brush_.reset(CreateSolidBrush(c));
    SelectObject(dc_, brush_.get());
  }
  void NoBrush() { SelectObject(dc_, GetStockObject(NULL_BRUSH)); }
  void Circle(int cx, int cy, int r) { Ellipse(dc_, cx - r, cy - r, cx + r, cy + r); }
  void Box(int l, int t, int r, int b) { Rectangle(dc_, l, t, r, b); }
  void Round(int l, int t, int r, int b, int radius) { RoundRect(dc_, l, t, r, b, radius, radius); }
  void Line(int x1, int y1, int x2, int y2) {
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
  }
  void Poly(std::initializer_list<POINT> points) {
    Polygon(dc_, points.begin(), static_cast<int>(points.size()));
  }
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  UniqueResource<HPEN, GdiTraits<HPEN>> pen_;
  UniqueBrush brush_;
};

constexpr COLORREF kInk = RGB(40, 56, 90);
constexpr COLORREF kBlue = RGB(44, 110, 200);
constexpr COLORREF kGlass = RGB(214, 234, 250);
constexpr COLORREF kPaper = RGB(252, 252, 248);
constexpr COLORREF kGreen = RGB(46, 150, 80);
constexpr COLORREF kRed = RGB(210, 60, 50);
constexpr COLORREF kGold = RGB(236, 170, 30);

void Magnifier(Painter& p, COLORREF mark_color, bool plus, bool minus) {
  p.Pen(kInk, 12);
  p.Line(78, 78, 114, 114);
  p.Pen(kInk, 8);
  p.Brush(kGlass);
  p.Circle(54, 54, 38);
  p.Pen(mark_color, 10);
  if (plus || minus) p.Line(36, 54, 72, 54);
  if (plus) p.Line(54, 36, 54, 72);
}

void Draw(Painter& p, int index) {
  switch (index) {
    case 0:  // watch the search window: an eye
      p.Pen(kInk, 8);
      p.Brush(kPaper);
      p.Poly({{8, 64}, {40, 30}, {88, 30}, {120, 64}, {88, 98}, {40, 98}});
      p.Brush(kBlue);
      p.Circle(64, 64, 24);
      p.NoPen();
      p.Brush(kInk);
      p.Circle(64, 64, 10);
      break;
    case 1:  // clear: an eraser
      p.Pen(kInk, 6);
      p.Brush(RGB(240, 120, 140));
      p.Poly({{20, 84}, {70, 30}, {112, 66}, {62, 118}});
      p.Brush(kPaper);
      p.Poly({{20, 84}, {44, 58}, {86, 94}, {62, 118}});
      break;
    case 2:  // reload: a circling arrow
      p.Pen(kGreen, 14);
      p.NoBrush();
      Arc(p.dc(), 22, 22, 106, 106, 106, 40, 64, 22);
      p.NoPen();
      p.Brush(kGreen);
      p.Poly({{84, 4}, {120, 34}, {78, 50}});
      break;
    case 3:  // copy: two sheets
      p.Pen(kInk, 6);
      p.Brush(RGB(220, 226, 236));
      p.Box(14, 10, 78, 90);
      p.Brush(kPaper);
      p.Box(48, 38, 114, 118);
      p.Pen(kBlue, 5);
      for (int y = 60; y <= 96; y += 18) p.Line(60, y, 102, y);
      break;
    case 4:  // save: a disk
      p.Pen(kInk, 6);
      p.Brush(kBlue);
      p.Poly({{14, 14}, {100, 14}, {114, 28}, {114, 114}, {14, 114}});
      p.Brush(kPaper);
      p.Box(34, 14, 90, 50);
      p.Brush(RGB(200, 210, 224));
      p.Box(30, 72, 98, 114);
      break;
    case 5: {  // settings: a gear
      p.Pen(kInk, 6);
      p.Brush(RGB(150, 160, 176));
      for (int k = 0; k < 8; ++k) {
        const double a = k * 3.14159265 / 4;
        const int cx = 64 + static_cast<int>(44 * std::cos(a)), cy = 64 + static_cast<int>(44 * std::sin(a));
        p.Circle(cx, cy, 13);
      }
      p.Circle(64, 64, 42);
      p.Brush(kPaper);
      p.Circle(64, 64, 16);
      break;
    }
    case 6:  // larger
      Magnifier(p, kGreen, true, false);
      break;
    case 7:  // smaller
      Magnifier(p, kRed, false, true);
      break;
    case 8:  // fit into the window: arrows inside a frame
      p.Pen(kInk, 8);
      p.NoBrush();
      p.Box(10, 18, 118, 110);
      p.NoPen();
      p.Brush(kBlue);
      p.Poly({{24, 64}, {48, 42}, {48, 86}});
      p.Poly({{104, 64}, {80, 42}, {80, 86}});
      p.Box(44, 58, 84, 71);
      break;
    case 9: {  // actual size: 1:1
      p.Pen(kInk, 6);
      p.Brush(kPaper);
      p.Round(6, 22, 122, 106, 20);
      p.NoPen();
      p.Brush(kInk);
      p.Box(28, 40, 40, 90);
      p.Box(88, 40, 100, 90);
      p.Circle(64, 52, 7);
      p.Circle(64, 78, 7);
      break;
    }
    case 10:  // always on top: a pin
      p.Pen(kInk, 8);
      p.Line(64, 76, 64, 122);
      p.Pen(kInk, 6);
      p.Brush(kRed);
      p.Poly({{40, 10}, {88, 10}, {80, 48}, {100, 76}, {28, 76}, {48, 48}});
      break;
    case 11:  // start the search program: a play button
      p.Pen(kInk, 6);
      p.Brush(kGreen);
      p.Circle(64, 64, 56);
      p.NoPen();
      p.Brush(kPaper);
      p.Poly({{50, 36}, {96, 64}, {50, 92}});
      break;
    case 12:  // smooth reduction: a sparkle
      p.Pen(RGB(150, 100, 0), 5);
      p.Brush(kGold);
      p.Poly({{64, 4}, {78, 50}, {124, 64}, {78, 78}, {64, 124}, {50, 78}, {4, 64}, {50, 50}});
      p.Brush(RGB(255, 236, 160));
      p.Circle(100, 24, 12);
      break;
    case 13:  // any other command: a key cap with a dot
      p.Pen(kInk, 6);
      p.Brush(kBlue);
      p.Round(12, 12, 116, 116, 28);
      p.NoPen();
      p.Brush(kPaper);
      p.Circle(64, 64, 18);
      break;
  }
}

// One picture drawn over a background colour and reduced to `size`.
PixelBuffer Render(int index, COLORREF background, int size) {
  DibSection24 canvas = CreateDibSection24(kCanvas, kCanvas);
  {
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    SelectGuard select(dc.get(), canvas.bitmap.get());
    RECT all{0, 0, kCanvas, kCanvas};
    UniqueBrush back(CreateSolidBrush(background));
    FillRect(dc.get(), &all, back.get());
    const int saved = SaveDC(dc.get());
    Painter p(dc.get());
    Draw(p, index);
    RestoreDC(dc.get(), saved);
  }
  GdiFlush();
  return SmoothResize(canvas.View(), size, size);
}

}  // namespace

HIMAGELIST MakeToolbarImageList(int size) {
  HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32, kToolbarPictureCount, 0);
  if (!list) return nullptr;
  for (int i = 0; i < kToolbarPictureCount; ++i) {
    // Drawn over black and over white: where they differ, the picture is transparent.
    const PixelBuffer on_black = Render(i, RGB(0, 0, 0), size);
    const PixelBuffer on_white = Render(i, RGB(255, 255, 255), size);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB};
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) continue;
    auto* out = static_cast<uint8_t*>(bits);
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) {
        const uint8_t* b = on_black.Row(y) + 3 * x;
        const uint8_t* w = on_white.Row(y) + 3 * x;
        const int alpha = std::clamp(255 - (w[1] - b[1]), 0, 255);
        uint8_t* o = out + (y * size + x) * 4;
        // Premultiplied, as the image list blends it.
        for (int c = 0; c < 3; ++c) o[c] = static_cast<uint8_t>(std::min<int>(b[c], alpha));
        o[3] = static_cast<uint8_t>(alpha);
      }
    ImageList_Add(list, bitmap.get(), nullptr);
  }
  return list;
}

}  // namespace zk
