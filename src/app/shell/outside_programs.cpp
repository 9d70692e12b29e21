#include "app/shell/outside_programs.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <stdexcept>

#include "base/win_com.h"
#include "base/win_files.h"
#include "base/win_process.h"
#include "base/win_text.h"

namespace zk {
namespace {

class ItemIdList {
 public:
  ~ItemIdList() { CoTaskMemFree(p_); }
  PIDLIST_RELATIVE* put() { return &p_; }
  PCIDLIST_ABSOLUTE get() const { return reinterpret_cast<PCIDLIST_ABSOLUTE>(p_); }

 private:
  PIDLIST_RELATIVE p_ = nullptr;
};

std::u16string AppPathsEntry(const std::u16string& name) {
  std::wstring key = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + ToWide(name);
  wchar_t value[1024];
  DWORD size = sizeof(value);
  // REG_SZ alone also takes REG_EXPAND_SZ entries, expanded; asking for
  // REG_EXPAND_SZ without RRF_NOEXPAND is refused outright.
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return {};
  return FromWide(value);
}

}  // namespace

std::u16string FindProgram(const std::u16string& name) {
  // Program names reach the search in the ANSI code page, as other programs
  // registered them.
  WinAnsiCodec ansi;
  std::string narrow = ansi.Encode(name);
  char found[512];
  DWORD n = SearchPathA(nullptr, narrow.c_str(), nullptr, sizeof(found), found, nullptr);
  if (n > 0 && n < sizeof(found)) return ansi.Decode(std::string(found, n));
  return AppPathsEntry(name);
}

std::u16string CanonicalPath(const std::u16string& path) {
  wchar_t full[MAX_PATH * 4];
  DWORD n = GetFullPathNameW(W(path), MAX_PATH * 4, full, nullptr);
  if (n == 0 || n >= MAX_PATH * 4) throw std::runtime_error("ファイルを変換できません。");
  ComPtr<IShellFolder> desktop;
  ItemIdList items;
  wchar_t back[MAX_PATH];
  if (FAILED(SHGetDesktopFolder(desktop.put())) ||
      FAILED(desktop->ParseDisplayName(nullptr, nullptr, full, nullptr, items.put(), nullptr)) ||
      !SHGetPathFromIDListW(items.get(), back))
    throw std::runtime_error("ファイルを変換できません。");
  return FromWide(back);
}

std::u16string ResolveShortcut(const std::u16string& path) {
  try {
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(link.put()))) ||
        FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.put()))))
      return {};
    std::u16string target;
    if (FAILED(file->Load(W(path), STGM_READ))) {
      target = path;
    } else {
      link->Resolve(nullptr, SLR_NO_UI | SLR_ANY_MATCH);
      wchar_t buffer[MAX_PATH] = {};
      if (FAILED(link->GetPath(buffer, MAX_PATH, nullptr, SLGP_UNCPRIORITY))) return {};
      target = FromWide(buffer);
    }
    return FileExists(target) ? CanonicalPath(target) : std::u16string();
  } catch (...) {
    return {};
  }
}

bool StartProgram(const std::u16string& command_line, const std::u16string& folder) {
  ProcessStart start;
  start.command_line = command_line;
  start.folder = folder;
  start.show = SW_SHOW;
  return StartProcess(start).started();
}

bool BringToTop(HWND window) {
  DWORD target_thread = GetWindowThreadProcessId(window, nullptr);
  DWORD foreground_thread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
  if (target_thread == foreground_thread) return BringWindowToTop(window) != FALSE;
  AttachThreadInput(target_thread, foreground_thread, TRUE);
  BOOL ok = BringWindowToTop(window);
  AttachThreadInput(target_thread, foreground_thread, FALSE);
  return ok != FALSE;
}

}  // namespace zk
