// zarvik.exe (or any program) started as a process of its own for a test,
// ended when the test ends, and its main window found.
#pragma once

#include <windows.h>

#include <string>

#include "base/win_text.h"
#include "support/test_files.h"

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
  struct FindData {
    DWORD pid;
    HWND found;
  };
  for (DWORD waited = 0; waited < timeout_ms; waited += 50) {
    FindData data{pid, nullptr};
    EnumWindows(
        [](HWND w, LPARAM lp) -> BOOL {
          auto* d = reinterpret_cast<FindData*>(lp);
          DWORD owner = 0;
          GetWindowThreadProcessId(w, &owner);
          wchar_t cls[64];
          if (owner == d->pid && GetClassNameW(w, cls, 64) && wcscmp(cls, L"TZKMainForm") == 0) {
            d->found = w;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&data));
    if (data.found) return data.found;
    Sleep(50);
  }
  return nullptr;
}

}  // namespace zk::test
