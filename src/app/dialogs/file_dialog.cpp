#include "app/dialogs/file_dialog.h"

#include <algorithm>

#include "base/win_text.h"

namespace zk {

FileDialogSetup::FileDialogSetup(HWND owner, const std::u16string& title, const std::u16string& filter,
                                 const std::u16string& file_name)
    : filter_(ToWide(filter)), title_(ToWide(title)), file_(32768, L'\0') {
  // "a|b|c|d" as the platform wants it: "a\0b\0c\0d\0\0".
  for (wchar_t& c : filter_)
    if (c == L'|') c = L'\0';
  filter_.append(2, L'\0');
  const std::wstring initial = ToWide(file_name);
  if (initial.size() < file_.size()) std::copy(initial.begin(), initial.end(), file_.begin());
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter_.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file_.data();
  ofn.nMaxFile = static_cast<DWORD>(file_.size());
  ofn.lpstrTitle = title_.c_str();
}

std::u16string FileDialogSetup::FileName() const { return FromWide(file_.data()); }

}  // namespace zk
