// Program entry: the application window, the main window and the message loop.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/window/main_window.h"
#include "base/win_text.h"
#include "desktop/app_window.h"
#include "desktop/single_instance.h"
#include "image/dib/win_pixel_memory.h"

namespace {

std::vector<std::u16string> CommandLineParams() {
  std::vector<std::u16string> params;
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return params;
  for (int i = 1; i < argc; ++i) params.push_back(zk::FromWide(argv[i]));
  LocalFree(argv);
  return params;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_COOL_CLASSES};
  InitCommonControlsEx(&icc);
  OleInitialize(nullptr);
  // Picture pixels live in page-file-backed mappings, not on the heap.
  zk::UsePageFileForPixels();

  HWND application = zk::CreateApplicationWindow(instance, zk::kApplicationTitle);

  zk::MainFormOptions options;
  options.params = CommandLineParams();
  options.show_command = show_command;
  options.application_window = application;

  int exit_code = 0;
  {
    zk::TZKMainForm form(std::move(options));
    if (form.Create()) {
      form.Show();
      MSG msg{};
      for (;;) {
        // Commands refresh their states whenever the queue runs dry.
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) form.Idle();
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) break;
        if (form.PreTranslateMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      exit_code = static_cast<int>(msg.wParam);
    } else if (form.duplicate()) {
      // The running copy's window comes to the front as this one ends.
      zk::TSingleInstance::BringRememberedWindowToFront();
    } else {
      exit_code = 1;
    }
  }
  if (application) DestroyWindow(application);
  OleUninitialize();
  return exit_code;
}
