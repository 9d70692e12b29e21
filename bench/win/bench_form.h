// The main window as the timing programs use it: settings and work folder in
// the given scratch folder, message boxes answered instead of shown, and no
// quitting of the program when it is closed.
#pragma once

#include <windows.h>

#include <string>

#include "app/window/main_window.h"

namespace zk::bench {

inline MainFormOptions QuietFormOptions(const std::u16string& folder, std::u16string unique_name) {
  MainFormOptions o;
  o.program_path = u"C:\\nowhere\\zarvik.exe";
  o.params = {u"-i" + folder};
  o.unique_name = std::move(unique_name);
  o.temp_folder = folder;
  o.quit_on_destroy = false;
  o.services = std::make_shared<MainFormServices>();
  o.services->message_box = [](HWND, const std::wstring&, const std::wstring&, UINT) { return IDOK; };
  return o;
}

}  // namespace zk::bench
