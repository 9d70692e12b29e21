// The main window moved to a monitor of twice the DPI: it takes the rectangle
// the system suggests and its toolbar pictures, buttons, status bar and fonts
// grow with it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "base/ui/dpi.h"
#include "support/main_window_fixture.h"

namespace zk {
namespace {

using MainWindowDpiTest = test::MainWindowFixture;

int FontHeight(HWND control) {
  LOGFONTW lf{};
  auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  return font && GetObjectW(font, sizeof(lf), &lf) ? lf.lfHeight : 0;
}

TEST_F(MainWindowDpiTest, ADpiChangeTakesTheSuggestedRectangleAndRescalesPicturesAndFonts) {
  auto form = MakeForm();
  HWND main = form->hwnd();
  HWND toolbar = form->tool_bar().hwnd();
  HWND status = FindWindowExW(main, nullptr, STATUSCLASSNAMEW, nullptr);
  ASSERT_NE(status, nullptr);
  const int dpi = DpiOfWindow(main);
  const int status_font = FontHeight(status);
  int icon = 0, unused = 0;
  ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0)), &icon, &unused);

  RECT suggested{40, 30, 40 + 1100, 30 + 900};
  SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(dpi * 2, dpi * 2), reinterpret_cast<LPARAM>(&suggested));

  RECT now{};
  GetWindowRect(main, &now);
  EXPECT_EQ(now.left, suggested.left);
  EXPECT_EQ(now.top, suggested.top);
  EXPECT_EQ(now.right - now.left, suggested.right - suggested.left);
  EXPECT_EQ(now.bottom - now.top, suggested.bottom - suggested.top);
  int bigger = 0;
  ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0)), &bigger, &unused);
  EXPECT_EQ(bigger, icon * 2);
  const DWORD button = static_cast<DWORD>(SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0));
  EXPECT_GE(LOWORD(button), bigger);
  RECT bar{};
  GetWindowRect(toolbar, &bar);
  EXPECT_GE(bar.bottom - bar.top, LOWORD(button));
  EXPECT_EQ(FontHeight(status), status_font * 2);
  int edges[2] = {};
  SendMessageW(status, SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges));
  EXPECT_EQ(edges[0], 500 * dpi / 96);
}

}  // namespace
}  // namespace zk
