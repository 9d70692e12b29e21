#include "base/win_process.h"

#include "base/win_text.h"

namespace zk {
namespace {

// Makes a folder the current one for its lifetime and then puts the old one back.
class CurrentFolderScope {
 public:
  explicit CurrentFolderScope(const std::u16string& folder) {
    if (folder.empty()) return;
    DWORD n = GetCurrentDirectoryW(0, nullptr);
    if (n == 0) return;
    old_.resize(n);
    n = GetCurrentDirectoryW(n, old_.data());
    if (n == 0 || n >= old_.size()) return;
    old_.resize(n);
    changed_ = SetCurrentDirectoryW(W(folder)) != FALSE;
  }
  ~CurrentFolderScope() {
    if (changed_) SetCurrentDirectoryW(old_.c_str());
  }
  CurrentFolderScope(const CurrentFolderScope&) = delete;
  CurrentFolderScope& operator=(const CurrentFolderScope&) = delete;

 private:
  std::wstring old_;
  bool changed_ = false;
};

STARTUPINFOW StartupInfoFor(const ProcessStart& start) {
  STARTUPINFOW si{};
  if (start.show) {
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = *start.show;
  } else {
    // This program's own, without what belongs to it alone.
    GetStartupInfoW(&si);
    si.cb = sizeof(si);
    si.lpReserved = nullptr;
    si.cbReserved2 = 0;
    si.lpReserved2 = nullptr;
    si.dwFlags &= ~STARTF_USESTDHANDLES;
  }
  if (start.std_input || start.std_output || start.std_error) {
    si.dwFlags |= STARTF_USESTDHANDLES;
    si.hStdInput = start.std_input;
    si.hStdOutput = start.std_output;
    si.hStdError = start.std_error;
  }
  return si;
}

}  // namespace

StartedProcess StartProcess(const ProcessStart& start) {
  CurrentFolderScope in_folder(start.folder);
  STARTUPINFOW si = StartupInfoFor(start);
  const bool inherit = (si.dwFlags & STARTF_USESTDHANDLES) != 0;
  SECURITY_ATTRIBUTES process_sa{sizeof(process_sa), nullptr, TRUE};
  std::wstring program = ToWide(start.program);
  std::wstring command = ToWide(start.command_line);  // CreateProcessW may write into it
  PROCESS_INFORMATION pi{};
  StartedProcess result;
  if (!CreateProcessW(program.empty() ? nullptr : program.c_str(), command.data(),
                      start.inheritable_process ? &process_sa : nullptr, nullptr, inherit, start.creation_flags,
                      nullptr, nullptr, &si, &pi)) {
    const DWORD error = GetLastError();
    result.error = error != ERROR_SUCCESS ? error : ERROR_GEN_FAILURE;
    return result;
  }
  CloseHandle(pi.hThread);
  result.process.reset(pi.hProcess);
  return result;
}

}  // namespace zk
