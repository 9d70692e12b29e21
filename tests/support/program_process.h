// zarvik.exe (or any program) started as a process of its own for a test,
// ended when the test ends, and its main window found.
#pragma once

#include <windows.h>

#include <string>

#include "base/win_text.h"
#include "support/test_files.h"
#include "support/window_of_class.h"

namespace zk::test {

struct Process {
  PROCESS_INFORMATION pi{};
  // Starts zarvik.exe of the build's bin folder.
  bool Start(const std::wstring& args) { return StartProgram(ToWide(BinFile(L"zarvik.exe")), args); }
  // Starts program with args; folder (when given) becomes its current folder.
  bool StartProgram(const std::wstring& program, const std::wstring& args, const std::wstring& folder = {}) {
    std::wstring cmd = L"\"" + program + L"\" " + args;
    STARTUPINFOW si{sizeof(si)};
    return CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &si, &pi) != FALSE;
  }
  ~Process() {
    if (pi.hProcess) {
      if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 1);
      CloseHandle(pi.hProcess);
      CloseHandle(pi.hThread);
    }
  }
  bool Wait(DWORD ms) { return WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0; }
};

// The main window of a process, once it has one.
inline HWND MainWindowOf(DWORD pid, DWORD timeout_ms) {
  for (DWORD waited = 0; waited < timeout_ms; waited += 50) {
    if (HWND w = TopWindowOfClass(pid, L"TZKMainForm")) return w;
    Sleep(50);
  }
  return nullptr;
}

}  // namespace zk::test
