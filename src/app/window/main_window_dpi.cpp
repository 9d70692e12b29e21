// The main window at the DPI of its monitor: the fonts, the toolbar pictures and
// buttons, the status bar's panels and the window icons are made for that DPI,
// and made again when the window moves to a monitor of another DPI.
#include "app/window/main_window.h"
#include "base/dpi_sizes.h"
#include "base/ui/dialog_font.h"
#include "base/ui/dpi.h"

namespace zk {
namespace {

constexpr int kStatusPanelWidths[] = {250, 500};  // at 96 DPI

UniqueIcon LoadProgramIcon(int size) {
  return UniqueIcon(static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

}  // namespace

int TZKMainForm::Scaled(int length) const { return ScaleForDpi(length, dpi_); }

std::vector<int> TZKMainForm::StatusPanelWidths() const {
  std::vector<int> widths;
  for (int w : kStatusPanelWidths) widths.push_back(Scaled(w));
  return widths;
}

void TZKMainForm::OnDpiChanged(int dpi, const RECT& suggested) {
  if (dpi <= 0 || !wnd_) return;
  dpi_ = dpi;

  // The controls take the new font before the old one is deleted.
  UniqueFont font = CreateDialogFont(dpi_);
  if (font) {
    for (HWND control : {StatusBar_.hwnd(), archive_page_.ArcListBox()})
      if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    ui_font_ = std::move(font);
  }
  StatusBar_.SetWidths(StatusPanelWidths());
  ScaleToolBar();
  text_page_.SetDpi(dpi_);
  if (form_created_) ApplyTextFont();

  UniqueIcon small_icon = LoadProgramIcon(SystemMetricForDpi(SM_CXSMICON, dpi_));
  UniqueIcon large_icon = LoadProgramIcon(SystemMetricForDpi(SM_CXICON, dpi_));
  if (small_icon) SendMessageW(wnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon.get()));
  if (large_icon) SendMessageW(wnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large_icon.get()));
  if (small_icon) window_icon_small_ = std::move(small_icon);
  if (large_icon) window_icon_large_ = std::move(large_icon);

  // The rectangle the system suggests keeps the window's place relative to the
  // mouse or the monitor; a size that does not change sends no WM_SIZE, so the
  // layout runs here as well.
  SetWindowPos(wnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  OnSize();
  InvalidateRect(wnd_, nullptr, TRUE);
}

}  // namespace zk
