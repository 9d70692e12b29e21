#include "text/binary_view.h"

#include <shellapi.h>

#include "app/main_window.h"
#include "base/paths.h"
#include "base/win_files.h"
#include "base/win_handles.h"
#include "base/win_text.h"

namespace zk {
namespace {

constexpr int kIconAt = 1;
constexpr int kLabelAt = 35;

UniqueIcon ShellIconOf(const std::u16string& path) {
  SHFILEINFOW info{};
  // Large icon plus the system image-list index (0x4100).
  if (!SHGetFileInfoW(W(path), 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SYSICONINDEX)) return UniqueIcon();
  return UniqueIcon(info.hIcon);
}

// A font like the given one at twice its size.
UniqueFont DoubledFont(HFONT base) {
  LOGFONTW lf{};
  if (!base || !GetObjectW(base, sizeof(lf), &lf)) {
    NONCLIENTMETRICSW ncm{sizeof(ncm)};
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    lf = ncm.lfMessageFont;
  }
  lf.lfHeight *= 2;
  lf.lfWidth *= 2;
  return UniqueFont(CreateFontIndirectW(&lf));
}

UniqueBitmap CreateCanvas(SIZE size) {
  WindowDc screen(nullptr);
  return UniqueBitmap(CreateCompatibleBitmap(screen.get(), std::max<LONG>(size.cx, 1), std::max<LONG>(size.cy, 1)));
}

}  // namespace

std::u16string BinaryViewLabel(const std::u16string& path, bool size_over) {
  std::u16string ext = ExtractFileExt(path);
  ext = ext.size() > 1 ? ext.substr(1) : u"?";
  return (size_over ? u"* " : u"") + ext + u" ファイル";
}

void ShowBinaryView(TZKMainForm& form, const std::u16string& path, bool size_over) {
  form.SetStatus(u"Binary Draw..");
  form.ViewFileType = vfBinary;
  form.PageControl_.SetActivePage(kImageTabSheet);
  form.image_page().MainImage().fill_parent = true;
  form.image_page().MainImage().SetVisible(true);
  form.image_page().ScrollBox().Layout();

  const bool folder = FolderExists(path);
  const bool file = !folder && FileExists(path);
  COLORREF back = form.image_page().ScrollBox().ColorRef();
  if (folder) back = kFolderColor;
  else if (FileSizeOf(path) == 0) back = kEmptyFileColor;

  RECT rc{};
  GetClientRect(form.image_page().MainImage().hwnd(), &rc);
  SIZE size{std::max<LONG>(rc.right, 1), std::max<LONG>(rc.bottom, 1)};
  UniqueBitmap canvas = CreateCanvas(size);
  {
    WindowDc screen(nullptr);
    UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    SelectGuard select_bitmap(dc.get(), canvas.get());
    UniqueBrush brush(CreateSolidBrush(back));
    RECT all{0, 0, size.cx, size.cy};
    FillRect(dc.get(), &all, brush.get());

    if (UniqueIcon icon = ShellIconOf(path)) DrawIconEx(dc.get(), kIconAt, kIconAt, icon.get(), 0, 0, 0, nullptr, DI_NORMAL);

    if (file) {
      UniqueFont font = DoubledFont(form.CanvasFont());
      SelectGuard select_font(dc.get(), font.get());
      SetBkMode(dc.get(), TRANSPARENT);
      SetTextColor(dc.get(), RGB(0, 0, 0));
      std::wstring label = ToWide(BinaryViewLabel(path, size_over));
      TextOutW(dc.get(), kLabelAt, kLabelAt, label.c_str(), static_cast<int>(label.size()));
    }
  }
  form.image_page().MainImage().SetPicture(std::move(canvas));
  form.SetStatus(size_over ? u"ReadSizeOver" : u"Binary");
}

}  // namespace zk
