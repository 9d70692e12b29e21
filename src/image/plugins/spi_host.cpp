#include "image/plugins/spi_host.h"

#include <algorithm>

#include "base/paths.h"
#include "base/win_handles.h"
#include "base/win_text.h"

namespace zk {
namespace {

TSPIs* g_instance = nullptr;

std::u16string SusieFolder() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Wexmoor\\Susie\\Plug-in", 0, KEY_READ, &key) != ERROR_SUCCESS)
    return {};
  wchar_t value[MAX_PATH * 2] = {};
  DWORD size = sizeof(value) - sizeof(wchar_t);
  DWORD type = 0;
  std::u16string folder;
  if (RegQueryValueExW(key, L"Path", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ))
    folder = FromWide(value);
  RegCloseKey(key);
  return folder;
}

std::u16string FolderOf(UINT (WINAPI* get)(LPWSTR, UINT)) {
  wchar_t buffer[MAX_PATH];
  const UINT n = get(buffer, MAX_PATH);
  return n > 0 && n < MAX_PATH ? FromWide(std::wstring_view(buffer, n)) : std::u16string();
}

}  // namespace

TSPIs::TSPIs() {
  if (g_instance) throw ESPIDupCreateSPIs(u"TSPIs は複数生成できません");
  g_instance = this;
}

TSPIs::~TSPIs() {
  items_.clear();
  if (g_instance == this) g_instance = nullptr;
}

TSPIs* TSPIs::Instance() { return g_instance; }

void TSPIs::Loaded() {
  if (AutoSearch) Search(kSpiFileMask);
}

void TSPIs::Insert(int index, std::unique_ptr<TSPI> spi) {
  index = std::clamp(index, 0, Count());
  TSPI& added = *spi;
  items_.insert(items_.begin() + index, std::move(spi));
  if (added.Kind() != SpiKind::kImport || !Registry) return;
  RegisterSpiPatterns(added.Extensions, added.Descriptions, DefaultGraphicClass,
                      [&](const std::u16string& extension, const std::u16string& description,
                          std::optional<PictureDecoderKind>& kind) {
                        if (OnPictureRegister) OnPictureRegister(*this, added, extension, description, kind);
                      },
                      *Registry);
}

void TSPIs::Delete(int index) {
  if (index >= 0 && index < Count()) items_.erase(items_.begin() + index);
}

int TSPIs::IndexOf(const std::u16string& path) const {
  for (int i = 0; i < Count(); ++i)
    if (CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, W(items_[i]->FileName), -1, W(path), -1) == CSTR_EQUAL)
      return i;
  return -1;
}

void TSPIs::Search(const std::u16string& mask) {
  const std::u16string folder = ExtractFilePath(mask);
  if (!folder.empty()) {
    SearchFolder(folder, ExtractFileName(mask));
    return;
  }
  if (SearchOptions & spsSusieDir) {
    const std::u16string susie = SusieFolder();
    if (!susie.empty()) SearchFolder(susie, mask);
  }
  if (SearchOptions & spsAppDir) {
    wchar_t program[MAX_PATH * 2];
    const DWORD n = GetModuleFileNameW(nullptr, program, static_cast<DWORD>(std::size(program)));
    if (n > 0 && n < std::size(program)) SearchFolder(ExtractFilePath(FromWide(std::wstring_view(program, n))), mask);
  }
  if (SearchOptions & spsCurrentDir) {
    wchar_t current[MAX_PATH * 2];
    const DWORD n = GetCurrentDirectoryW(static_cast<DWORD>(std::size(current)), current);
    if (n > 0 && n < std::size(current)) SearchFolder(FromWide(std::wstring_view(current, n)), mask);
  }
  if (SearchOptions & spsSystemDir) {
    const std::u16string system = FolderOf(GetSystemDirectoryW);
    if (!system.empty()) SearchFolder(system, mask);
  }
  if (SearchOptions & spsWindowsDir) {
    const std::u16string windows = FolderOf(GetWindowsDirectoryW);
    if (!windows.empty()) SearchFolder(windows, mask);
  }
}

void TSPIs::SearchFolder(std::u16string folder, const std::u16string& mask) {
  folder = IncludeTrailingDelimiter(folder);
  std::vector<std::u16string> found;
  WIN32_FIND_DATAW data;
  {
    UniqueFindHandle find(FindFirstFileW(W(folder + mask), &data));
    if (!find) return;
    do {
      if (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY)) continue;
      std::u16string path = folder + FromWide(data.cFileName);
      if (IndexOf(path) == -1) found.push_back(std::move(path));
    } while (FindNextFileW(find.get(), &data));
  }
  for (const std::u16string& path : found) TryLoad(path);
}

void TSPIs::TryLoad(const std::u16string& path) {
  bool accept = true;
  if (OnSearching) OnSearching(*this, path, accept);
  if (!accept) return;
  std::unique_ptr<TSPI> spi;
  try {
    SpiKind kind;
    {
      std::unique_ptr<TSPI> probe = TSPI::Create(SpiKind::kPlain, path);
      kind = ClassifySpiVersion(probe->APIVersion);
    }
    spi = TSPI::Create(kind, path);
  } catch (const ESPIError&) {
    return;  // not a plug-in, or one without an entry its kind needs
  }
  try {
    accept = true;
    if (OnSearch) OnSearch(*this, *spi, accept);
    if (accept) Add(std::move(spi));
  } catch (const std::exception&) {
  }
}

std::vector<TSPI*> TSPIs::CollectCandidates(SpiKind kind, const std::u16string& file_name) const {
  std::vector<TSPI*> of_kind;
  std::vector<std::vector<std::u16string>> patterns;
  for (const auto& item : items_) {
    if (item->Kind() != kind) continue;
    of_kind.push_back(item.get());
    patterns.push_back(item->Extensions);
  }
  std::vector<TSPI*> out;
  for (size_t i : SpiCandidateOrder(patterns, file_name)) out.push_back(of_kind[i]);
  return out;
}

}  // namespace zk
