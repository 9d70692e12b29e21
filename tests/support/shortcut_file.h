// Shell links made for tests: the shortcuts the viewer follows.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace zk::test {

// Saves a shell link at `link` to `target` (which need not exist); COM must
// be started on the calling thread.
inline bool MakeShortcut(const wchar_t* link, const wchar_t* target) {
  IShellLinkW* shell_link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&shell_link))))
    return false;
  IPersistFile* file = nullptr;
  bool ok = SUCCEEDED(shell_link->SetPath(target)) &&
            SUCCEEDED(shell_link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
            SUCCEEDED(file->Save(link, TRUE));
  if (file) file->Release();
  shell_link->Release();
  return ok;
}

}  // namespace zk::test
