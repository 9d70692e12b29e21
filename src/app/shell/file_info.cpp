#include "app/shell/file_info.h"

#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "base/win_text.h"

namespace zk {
namespace {

struct LangAndCodePage {
  WORD language;
  WORD code_page;
};

// The shell's icon of the file drawn into a size x size picture.
UniqueBitmap DrawShellIcon(const std::u16string& file_name, UINT which, int size) {
  SHFILEINFOW sfi{};
  if (!SHGetFileInfoW(W(file_name), 0, &sfi, sizeof(sfi), SHGFI_ICON | which) || !sfi.hIcon) return {};
  UniqueIcon icon(sfi.hIcon);
  WindowDc screen(nullptr);
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), size, size));
  UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
  if (!bitmap || !dc) return {};
  SelectGuard select(dc.get(), bitmap.get());
  RECT rc{0, 0, size, size};
  FillRect(dc.get(), &rc, GetSysColorBrush(COLOR_BTNFACE));
  DrawIconEx(dc.get(), 0, 0, icon.get(), size, size, 0, nullptr, DI_NORMAL);
  return bitmap;
}

}  // namespace

VersionStrings ReadVersionStrings(const std::u16string& file_name, bool* has_resource) {
  if (has_resource) *has_resource = false;
  DWORD ignored = 0;
  DWORD size = file_name.empty() ? 0 : GetFileVersionInfoSizeW(W(file_name), &ignored);
  std::vector<BYTE> block(size);
  bool ok = size > 0 && GetFileVersionInfoW(W(file_name), 0, size, block.data());
  if (has_resource) *has_resource = ok;

  // The first language and code page pair names the string table. Without
  // one, no value is found and the rules for missing values apply.
  LangAndCodePage* pairs = nullptr;
  UINT pairs_size = 0;
  bool have_pair = ok && VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                                        reinterpret_cast<void**>(&pairs), &pairs_size) &&
                   pairs && pairs_size >= sizeof(LangAndCodePage);
  LangAndCodePage first = have_pair ? pairs[0] : LangAndCodePage{};

  return CollectVersionStrings(ok, [&](std::u16string_view name) -> std::optional<std::u16string> {
    if (!have_pair) return std::nullopt;
    std::u16string path = StringFileInfoPath(first.language, first.code_page, name);
    wchar_t* value = nullptr;
    UINT length = 0;  // in characters, the terminating zero included when present
    if (!VerQueryValueW(block.data(), W(path), reinterpret_cast<void**>(&value), &length) || !value)
      return std::nullopt;
    // A damaged resource may claim more than the block holds.
    auto offset = reinterpret_cast<const BYTE*>(value) - block.data();
    if (offset < 0 || static_cast<size_t>(offset) >= block.size()) return std::nullopt;
    size_t room = (block.size() - static_cast<size_t>(offset)) / sizeof(wchar_t);
    std::wstring_view text(value, std::min<size_t>(length, room));
    if (size_t end = text.find(L'\0'); end != std::wstring_view::npos) text = text.substr(0, end);
    return FromWide(text);
  });
}

void TFileInfo::SetFileName(const std::u16string& file_name) {
  if (named_ && file_name == file_name_) return;
  file_name_ = file_name;
  named_ = true;
  Read();
}

void TFileInfo::Read() {
  ++reads_;
  version_ = ReadVersionStrings(file_name_, &has_resource_);
  small_icon_ = DrawShellIcon(file_name_, SHGFI_SMALLICON, 16);
  large_icon_ = DrawShellIcon(file_name_, SHGFI_LARGEICON, 32);
}

}  // namespace zk
