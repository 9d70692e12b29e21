// A hidden main window for tests, with its settings and work folder in a
// scratch folder and message boxes recorded and answered instead of shown.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/window/main_window.h"
#include "base/text.h"
#include "image/picture.h"
#include "support/held_keys.h"
#include "support/test_files.h"

namespace zk::test {

struct RecordedBox {
  std::wstring text, caption;
  UINT type;
};

// Changes the window's settings as the settings dialog's OK does.
inline void ChangeSettings(TZKMainForm& form, const std::function<void(Settings&)>& change) {
  Settings values = form.settings();
  change(values);
  form.ApplySettings(values);
}

class MainWindowFixture : public ::testing::Test {
 protected:
  std::unique_ptr<TZKMainForm> MakeForm(std::vector<std::u16string> params = {}) {
    MainFormOptions o;
    o.program_path = program_path_;
    if (params.empty()) params.push_back(u"-i" + dir_.u16());
    o.params = std::move(params);
    o.unique_name = u"ZarvikTest" + Ascii(std::to_string(GetCurrentProcessId()));
    o.temp_folder = dir_.u16();
    o.quit_on_destroy = false;
    o.services = services_;
    services_->message_box = [this](HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
      boxes_.push_back({text, caption, type});
      if (real_boxes_) return ShowRealBox(owner, text, caption, type);
      if (answer_ != 0) return answer_;
      return (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
    };
    auto form = std::make_unique<TZKMainForm>(std::move(o));
    EXPECT_TRUE(form->Create());
    return form;
  }

  // A file of the given bytes in the scratch folder.
  std::u16string Write(const std::wstring& name, std::string_view bytes) {
    std::u16string path = dir_.Child(name);
    EXPECT_TRUE(WriteFileBytes(path, std::string(bytes)));
    return path;
  }
  std::u16string Write(const std::wstring& name, const std::vector<uint8_t>& bytes) {
    return Write(name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  }

  // Shows a file as the search window's selection would.
  static void Show(TZKMainForm& form, const std::u16string& path) {
    form.ClearView(true);
    form.SelectedFileName = path;
    form.DispatchFile(path, false);
  }

  // Offers `key`, pressed with exactly the modifiers `held`, to the window's
  // shortcuts; true when one took it.
  static bool PressShortcut(TZKMainForm& form, std::initializer_list<int> held, WPARAM key) {
    HeldKeys keys(held);
    MSG msg{form.hwnd(), WM_KEYDOWN, key, 0};
    return form.TranslateShortcut(msg);
  }

  // The colour of a pixel of the picture control's picture at its own size.
  static COLORREF CanvasPixel(TZKMainForm& form, int x, int y) {
    if (!form.image_page().MainImage().picture()) return CLR_INVALID;
    DibSection24 dib = PictureToDibSection(*form.image_page().MainImage().picture(), RGB(1, 2, 3));
    const uint8_t* p = dib.bits + y * dib.stride + x * 3;
    return RGB(p[2], p[1], p[0]);
  }

  std::u16string IniPath() const { return dir_.Child(L"zarvik.ini"); }

  // A real message box, taking the activation from the window as a user sees
  // it, closed with OK once it is up.
  static int ShowRealBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR, DWORD) {
      if (HWND box = FindWindowW(L"#32770", nullptr); box && IsWindowVisible(box)) PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    const int answer = MessageBoxW(owner, text.c_str(), caption.c_str(), type);
    KillTimer(nullptr, timer);
    return answer;
  }

  TempDir dir_;
  std::u16string program_path_ = u"C:\\nowhere\\zarvik.exe";
  // The services every window of the test shares; a test answers its dialogs here.
  std::shared_ptr<MainFormServices> services_ = std::make_shared<MainFormServices>();
  std::vector<RecordedBox> boxes_;
  int answer_ = 0;  // the answer to every box; 0: yes to questions, OK to the rest
  bool real_boxes_ = false;  // boxes shown for real (and closed at once) instead
};

// With the zarvik.exe of this build as the program file, so that its version
// resource is there.
class OwnProgramFixture : public MainWindowFixture {
 protected:
  OwnProgramFixture() { program_path_ = BinFile(L"zarvik.exe"); }
};

}  // namespace zk::test
