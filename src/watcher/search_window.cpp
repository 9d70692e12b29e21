#include "watcher/search_window.h"

#include <commctrl.h>

#include <vector>

#include "base/text.h"
#include "base/win_handles.h"
#include "base/win_text.h"
#include "watcher/watch_rules.h"

namespace zk {
namespace {

// A hung search window must not freeze the viewer.
constexpr UINT kMessageTimeoutMs = 1000;

struct ChildSearch {
  std::u16string class_name;
  size_t limit;
  size_t seen = 0;
  HWND found = nullptr;
};

BOOL CALLBACK MatchChildClass(HWND wnd, LPARAM param) {
  auto& search = *reinterpret_cast<ChildSearch*>(param);
  if (++search.seen > search.limit) return FALSE;
  wchar_t name[1024];
  int n = GetClassNameW(wnd, name, 1024);
  if (n > 0 && EqualsIgnoreCase(FromWide(std::wstring_view(name, n)), search.class_name)) {
    search.found = wnd;
    return FALSE;
  }
  return TRUE;
}

bool Send(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR& result) {
  result = 0;
  return SendMessageTimeoutW(wnd, msg, wp, lp, SMTO_ABORTIFHUNG | SMTO_BLOCK, kMessageTimeoutMs, &result) != 0;
}

}  // namespace

HWND FindChildWindowByClass(HWND parent, const std::u16string& class_name, size_t limit) {
  if (!parent) return nullptr;
  ChildSearch search{class_name, limit};
  EnumChildWindows(parent, MatchChildClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindSearchWindow() {
  HWND wnd = FindWindowW(W(kSearchWindowClass), nullptr);
  if (!wnd) return nullptr;
  wchar_t caption[1024];
  int n = GetWindowTextW(wnd, caption, 1024);
  if (n < 0) n = 0;
  return IsSearchWindowCaption(FromWide(std::wstring_view(caption, n))) ? wnd : nullptr;
}

std::u16string StatusBarReader::Read(HWND status_bar) {
  if (!status_bar) return {};
  // A status bar keeps its parts; they are counted once per status bar.
  if (status_bar != counted_bar_) {
    DWORD_PTR parts = 0;
    if (!Send(status_bar, SB_GETPARTS, 0, 0, parts) || static_cast<int>(parts) < 1) return {};
    counted_bar_ = status_bar;
  }

  // The length first, so that the exchange is sized to the text. An owner-
  // drawn part holds no text of its own.
  DWORD_PTR length_info = 0;
  if (!Send(status_bar, SB_GETTEXTLENGTHW, 0, 0, length_info)) return {};
  if (HIWORD(length_info) & SBT_OWNERDRAW) return {};
  const size_t length = LOWORD(length_info);

  DWORD process_id = 0;
  GetWindowThreadProcessId(status_bar, &process_id);
  if (process_id == 0 || !Prepare(process_id, ExchangeBytesFor(length))) return {};

  DWORD_PTR copied = 0;
  if (!Send(status_bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(remote_), copied)) {
    Release();  // the window or its process may be gone
    return {};
  }
  const size_t got = LOWORD(copied);
  // A text that outgrew the exchange changed meanwhile; the next poll reads it anew.
  if ((got + 1) * sizeof(wchar_t) > remote_bytes_ || got == 0) return {};
  std::wstring text(got, L'\0');
  SIZE_T read = 0;
  if (!ReadProcessMemory(process_.get(), remote_, text.data(), got * sizeof(wchar_t), &read) ||
      read != got * sizeof(wchar_t)) {
    Release();
    return {};
  }
  return FromWide(text);
}

bool StatusBarReader::Prepare(DWORD process_id, size_t bytes) {
  if (process_ && process_id != process_id_) Release();
  if (!process_) {
    process_.reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process_id));
    if (!process_) return false;
    process_id_ = process_id;
  }
  if (remote_ && remote_bytes_ >= bytes) return true;
  if (remote_) VirtualFreeEx(process_.get(), remote_, 0, MEM_RELEASE);
  remote_ = VirtualAllocEx(process_.get(), nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  remote_bytes_ = remote_ ? bytes : 0;
  return remote_ != nullptr;
}

void StatusBarReader::Release() {
  if (remote_) VirtualFreeEx(process_.get(), remote_, 0, MEM_RELEASE);
  remote_ = nullptr;
  remote_bytes_ = 0;
  process_.reset();
  process_id_ = 0;
  counted_bar_ = nullptr;
}

std::u16string ReadStatusBarText(HWND status_bar) {
  StatusBarReader reader;
  return reader.Read(status_bar);
}

void PostKeyStroke(HWND wnd, uint8_t key) {
  PostMessageW(wnd, WM_KEYDOWN, key, 0);
  PostMessageW(wnd, WM_KEYUP, key, 0);
}

}  // namespace zk
