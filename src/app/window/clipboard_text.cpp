#include "app/window/clipboard_text.h"

#include <cstring>

#include "base/win_clipboard.h"

namespace zk {
namespace {

struct ClipboardCloser {
  ~ClipboardCloser() { CloseClipboard(); }
};

struct GlobalOwner {
  HGLOBAL mem;
  ~GlobalOwner() {
    if (mem) GlobalFree(mem);
  }
};

}  // namespace

bool SetClipboardText(HWND owner, const std::u16string& text) {
  size_t bytes = (text.size() + 1) * sizeof(char16_t);
  GlobalOwner data{GlobalAlloc(GMEM_MOVEABLE, bytes)};
  if (!data.mem) return false;
  void* p = GlobalLock(data.mem);
  if (!p) return false;
  std::memcpy(p, text.c_str(), bytes);
  GlobalUnlock(data.mem);

  if (!OpenClipboardPatiently(owner)) return false;
  ClipboardCloser closer;
  if (!EmptyClipboard()) return false;
  if (!SetClipboardData(CF_UNICODETEXT, data.mem)) return false;
  data.mem = nullptr;  // the clipboard owns it now
  return true;
}

std::u16string ClipboardText(HWND owner) {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboardPatiently(owner)) return {};
  ClipboardCloser closer;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data) return {};
  const auto* p = static_cast<const char16_t*>(GlobalLock(data));
  if (!p) return {};
  // Stop at the terminating zero, within the memory block.
  size_t limit = GlobalSize(data) / sizeof(char16_t);
  size_t n = 0;
  while (n < limit && p[n]) ++n;
  std::u16string text(p, n);
  GlobalUnlock(data);
  return text;
}

}  // namespace zk
