#include "app/controls/picture_box.h"

namespace zk {
namespace {
constexpr wchar_t kClassName[] = L"ZarvikPictureBox";
}

PictureBox::~PictureBox() {
  if (wnd_) DestroyWindow(wnd_);
}

bool PictureBox::Create(HWND parent, int id, const RECT& b) {
  return CreateControl(kClassName, nullptr, parent, id, b, L"");
}

void PictureBox::SetPicture(UniqueBitmap bitmap) {
  bitmap_ = std::move(bitmap);
  if (wnd_) InvalidateRect(wnd_, nullptr, FALSE);
}

void PictureBox::Paint(HDC dc, const RECT&) {
  BITMAP bm{};
  if (bitmap_ && GetObjectW(bitmap_.get(), sizeof(bm), &bm)) {
    UniqueMemoryDc mem(CreateCompatibleDC(dc));
    SelectGuard sel(mem.get(), bitmap_.get());
    BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, mem.get(), 0, 0, SRCCOPY);
  }
}

}  // namespace zk
