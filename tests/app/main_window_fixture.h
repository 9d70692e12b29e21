// A hidden main window for tests, with its settings and work folder in a
// scratch folder and message boxes recorded instead of shown.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "image/picture.h"
#include "base/text.h"
#include "win/test_util.h"

namespace zk::test {

struct RecordedBox {
  std::wstring text, caption;
};

class MainWindowFixture : public ::testing::Test {
 protected:
  std::unique_ptr<TZKMainForm> MakeForm(std::vector<std::u16string> params = {}) {
    MainFormOptions o;
    o.program_path = u"C:\\nowhere\\zarvik.exe";
    if (params.empty()) params.push_back(u"-i" + dir_.u16());
    o.params = std::move(params);
    o.unique_name = u"ZarvikTest" + Ascii(std::to_string(GetCurrentProcessId()));
    o.temp_folder = dir_.u16();
    o.quit_on_destroy = false;
    o.message_box = [this](HWND, const std::wstring& text, const std::wstring& caption, UINT type) {
      boxes_.push_back({text, caption});
      // Questions are answered with yes.
      return (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
    };
    auto form = std::make_unique<TZKMainForm>(std::move(o));
    EXPECT_TRUE(form->Create());
    return form;
  }

  // The colour of a pixel of the picture control's picture at its own size.
  static COLORREF CanvasPixel(TZKMainForm& form, int x, int y) {
    if (!form.image_page().MainImage().picture()) return CLR_INVALID;
    DibSection24 dib = PictureToDibSection(*form.image_page().MainImage().picture(), RGB(1, 2, 3));
    const uint8_t* p = dib.bits + y * dib.stride + x * 3;
    return RGB(p[2], p[1], p[0]);
  }

  std::u16string IniPath() const { return dir_.Child(L"zarvik.ini"); }

  TempDir dir_;
  std::vector<RecordedBox> boxes_;
};

}  // namespace zk::test
