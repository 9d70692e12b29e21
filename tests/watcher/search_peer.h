// The stand-in search window (tests/peers/search_window_peer.cpp) started as a
// process of its own for a test, and closed again when the test ends.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "base/paths.h"
#include "base/win_files.h"
#include "base/win_handles.h"
#include "base/win_text.h"
#include "support/message_pump.h"

namespace zk::test {

// The folder of the test programs and the stand-ins.
inline std::wstring BinFolder() {
  wchar_t buf[MAX_PATH];
  DWORD n = GetEnvironmentVariableW(L"ZARVIK_BIN", buf, MAX_PATH);
  if (n > 0 && n < MAX_PATH) {
    std::wstring unix_path(buf, n);
    // Under Wine the variable carries the Unix path of the build folder.
    if (!unix_path.empty() && unix_path[0] == L'/') {
      std::wstring dos = L"Z:" + unix_path;
      for (auto& c : dos)
        if (c == L'/') c = L'\\';
      if (GetFileAttributesW((dos + L"\\search_window_peer.exe").c_str()) != INVALID_FILE_ATTRIBUTES) return dos;
    } else if (GetFileAttributesW((unix_path + L"\\search_window_peer.exe").c_str()) != INVALID_FILE_ATTRIBUTES) {
      return unix_path;
    }
  }
  std::u16string own = ExtractFilePath(ProgramPath());
  std::wstring folder = ToWide(own);
  while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  return folder;
}

class SearchPeer {
 public:
  explicit SearchPeer(const std::vector<std::wstring>& args) {
    std::wstring cmd = L"\"" + BinFolder() + L"\\search_window_peer.exe\"";
    for (const auto& a : args) cmd += L" \"" + a + L"\"";
    STARTUPINFOW si{sizeof(si)};
    si.dwFlags = STARTF_USESHOWWINDOW;
    // Hidden: the contract needs no visible window, and under Wine without a
    // window manager a shown window takes two seconds to go away.
    si.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    process_.reset(pi.hProcess);
    CloseHandle(pi.hThread);
    pid_ = pi.dwProcessId;
    WaitForInputIdle(process_.get(), 10000);
    PumpUntil([this] { return (window_ = FindOwnWindow()) != nullptr; }, 15000);
  }
  ~SearchPeer() { Close(); }
  SearchPeer(const SearchPeer&) = delete;
  SearchPeer& operator=(const SearchPeer&) = delete;

  bool started() const { return window_ != nullptr; }
  HWND window() const { return window_; }
  HANDLE process() const { return process_.get(); }
  HWND Child(const wchar_t* class_name) const { return FindWindowExW(window_, nullptr, class_name, nullptr); }
  HWND list() const { return Child(L"EVERYTHING_LISTVIEW"); }
  HWND status() const { return Child(STATUSCLASSNAMEW); }

  // Part 0 of the stand-in's status bar, asked the ordinary way.
  std::wstring StatusText() const {
    HWND s = status();
    if (!s) return {};
    wchar_t buf[8192] = {};
    DWORD_PTR n = 0;
    SendMessageTimeoutW(s, WM_GETTEXT, 8192, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 2000, &n);
    return buf;
  }

  // Presses a key in the result list and waits until the status bar shows
  // `expected` (when given).
  bool Key(UINT vk, const std::wstring& expected = {}) {
    PostMessageW(list(), WM_KEYDOWN, vk, 0);
    PostMessageW(list(), WM_KEYUP, vk, 0);
    if (expected.empty()) return true;
    return PumpUntil([&] { return StatusText() == expected; });
  }

  // Closes the window as a user does and waits for the process to end.
  bool Close() {
    if (!process_) return true;
    if (window_ && IsWindow(window_)) PostMessageW(window_, WM_CLOSE, 0, 0);
    bool ended = PumpUntil([this] { return WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0; }, 10000);
    if (!ended) TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 5000);
    process_.reset();
    window_ = nullptr;
    return ended;
  }

  bool Ended(int timeout_ms = 5000) {
    return !process_ || PumpUntil([this] { return WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0; }, timeout_ms);
  }

 private:
  struct Find {
    DWORD pid;
    HWND found;
  };
  static BOOL CALLBACK Match(HWND wnd, LPARAM param) {
    auto& f = *reinterpret_cast<Find*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    wchar_t name[64];
    if (pid == f.pid && GetClassNameW(wnd, name, 64) > 0 && lstrcmpiW(name, L"EVERYTHING") == 0) {
      f.found = wnd;
      return FALSE;
    }
    return TRUE;
  }
  HWND FindOwnWindow() const {
    Find f{pid_, nullptr};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&f));
    return f.found;
  }

  UniqueHandle process_;
  DWORD pid_ = 0;
  HWND window_ = nullptr;
};

}  // namespace zk::test
