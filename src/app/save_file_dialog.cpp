#include "app/save_file_dialog.h"

#include <commdlg.h>

#include <vector>

#include "base/win_text.h"

namespace zk {

std::optional<SaveFileAnswer> ShowSaveFileDialog(HWND owner, const SaveFileRequest& request) {
  std::wstring filter = ToWide(request.filter);
  for (wchar_t& c : filter)
    if (c == L'|') c = L'\0';
  filter.append(2, L'\0');
  const std::wstring title = ToWide(request.title);
  const std::wstring ext = ToWide(request.default_ext);
  std::vector<wchar_t> file(32768, L'\0');
  const std::wstring initial = ToWide(request.file_name);
  if (initial.size() < file.size()) std::copy(initial.begin(), initial.end(), file.begin());
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrTitle = title.c_str();
  ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_SHOWHELP | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN | OFN_ENABLESIZING |
              OFN_EXPLORER | (request.ask_overwrite ? OFN_OVERWRITEPROMPT : 0);
  if (!GetSaveFileNameW(&ofn)) return std::nullopt;
  return SaveFileAnswer{FromWide(file.data()), static_cast<int>(ofn.nFilterIndex)};
}

}  // namespace zk
