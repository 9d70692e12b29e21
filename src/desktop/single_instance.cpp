#include "desktop/single_instance.h"

#include <atomic>
#include <iterator>

#include "base/paths.h"
#include "base/text.h"
#include "base/win_files.h"
#include "base/win_text.h"

namespace zk {
namespace {

std::atomic<int> g_alive{0};
std::atomic<HWND> g_remembered{nullptr};

struct FindRequest {
  const std::u16string* caption;
  DWORD own_process;
  HWND found;
};

BOOL CALLBACK MatchApplicationWindow(HWND wnd, LPARAM param) {
  auto& req = *reinterpret_cast<FindRequest*>(param);
  wchar_t class_name[64];
  int n = GetClassNameW(wnd, class_name, static_cast<int>(std::size(class_name)));
  if (n <= 0 || !EqualsIgnoreCase(FromWide(std::wstring_view(class_name, n)), u"TApplication")) return TRUE;
  DWORD process = 0;
  GetWindowThreadProcessId(wnd, &process);
  if (process == req.own_process) return TRUE;
  wchar_t caption[160];
  n = GetWindowTextW(wnd, caption, 159);
  if (n < 0) n = 0;
  if (!EqualsIgnoreCase(FromWide(std::wstring_view(caption, n)), *req.caption)) return TRUE;
  req.found = wnd;
  return FALSE;
}

std::u16string ProgramTitle() { return ChangeFileExt(ExtractFileName(ProgramPath()), u""); }

}  // namespace

ESingleInstance::ESingleInstance(const std::u16string& message)
    : std::runtime_error(Utf16ToUtf8(message)), message_(message) {}

TSingleInstance::TSingleInstance() {
  if (g_alive.fetch_add(1) > 0) {
    g_alive.fetch_sub(1);
    throw ESingleInstance(u"Only single component allowed");
  }
}

TSingleInstance::~TSingleInstance() {
  lock_.reset();
  g_alive.fetch_sub(1);
}

bool TSingleInstance::Check() {
  if (lock_) return true;  // checked before: the lock found now is our own
  bool running = false;
  if (UniqueHandle opened{OpenMutexW(MUTEX_ALL_ACCESS, FALSE, W(UniqueName))}) {
    running = true;  // closed right here: a later copy keeps nothing
  } else if (GetLastError() == ERROR_ACCESS_DENIED) {
    running = true;  // held by a copy running with other rights
  } else {
    SetLastError(0);
    UniqueHandle created{CreateMutexW(nullptr, FALSE, W(UniqueName))};
    const DWORD error = GetLastError();
    // Another copy may have created it between the two calls.
    if (!created ? error == ERROR_ACCESS_DENIED : error == ERROR_ALREADY_EXISTS)
      running = true;
    else
      lock_ = std::move(created);
  }
  if (!running) return true;

  g_remembered = nullptr;
  if (OnDuplicate) OnDuplicate(*this);
  switch (DupInstAction) {
    case diActivateFirst: {
      const std::u16string caption = FirstCopyCaption.empty() ? ProgramTitle() : FirstCopyCaption;
      HWND first = FindApplicationWindow(caption, GetCurrentProcessId());
      g_remembered = first ? GetLastActivePopup(first) : nullptr;
      break;
    }
    case diException:
      throw ESingleInstance(ErrorMessage);
    case diTerminate:
      break;
  }
  return false;
}

HWND TSingleInstance::RememberedWindow() { return g_remembered; }

void TSingleInstance::BringRememberedWindowToFront() {
  if (HWND wnd = g_remembered.load()) SetForegroundWindow(wnd);
}

HWND FindApplicationWindow(const std::u16string& caption, DWORD own_process) {
  FindRequest req{&caption, own_process, nullptr};
  EnumWindows(MatchApplicationWindow, reinterpret_cast<LPARAM>(&req));
  return req.found;
}

}  // namespace zk
