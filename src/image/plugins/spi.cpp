#include "image/plugins/spi.h"

#include "base/text.h"
#include "base/win_text.h"

namespace zk {
namespace {

std::u16string FromAnsi(const std::string& s) {
  if (s.empty()) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return FromWide(w);
}

template <typename F>
F Entry(HMODULE module, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

ESPIError::ESPIError(std::u16string message) : std::runtime_error(Utf16ToUtf8(message)), message_(std::move(message)) {}

TSPI::~TSPI() {
  if (module_) FreeLibrary(module_);
}

std::unique_ptr<TSPI> TSPI::Create(SpiKind kind, const std::u16string& path) {
  std::unique_ptr<TSPI> spi;
  switch (kind) {
    case SpiKind::kImport: spi.reset(new TInSPI()); break;
    case SpiKind::kArchive: spi.reset(new TAmSPI()); break;
    case SpiKind::kExport: spi.reset(new TXnSPI()); break;
    case SpiKind::kPlain: spi.reset(new TSPI(false)); break;
  }
  spi->Load(path);
  spi->CheckAPI();
  spi->ReadInformation();
  return spi;
}

void TSPI::Load(const std::u16string& path) {
  // No error boxes for a file that is not a library at all.
  const UINT old_mode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  module_ = LoadLibraryExW(W(path), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  SetErrorMode(old_mode);
  if (!module_) throw ESPIFOpenErrorSPI(path + u":Susie Pluginがロードできませんでした");
  wchar_t loaded[MAX_PATH * 2];
  const DWORD n = GetModuleFileNameW(module_, loaded, static_cast<DWORD>(std::size(loaded)));
  FileName = n > 0 && n < std::size(loaded) ? FromWide(std::wstring_view(loaded, n)) : path;
  GetPluginInfo_ = Entry<SpiGetPluginInfo>(module_, "GetPluginInfo");
  ConfigurationDlg_ = Entry<SpiConfigurationDlg>(module_, "ConfigurationDlg");
  IsSupported_ = Entry<SpiIsSupported>(module_, "IsSupported");
  GetPictureInfo_ = Entry<SpiGetPictureInfo>(module_, "GetPictureInfo");
  GetPicture_ = Entry<SpiGetPicture>(module_, "GetPicture");
  GetPreview_ = Entry<SpiGetPreview>(module_, "GetPreview");
  GetArchiveInfo_ = GetProcAddress(module_, "GetArchiveInfo");
  GetFileInfo_ = GetProcAddress(module_, "GetFileInfo");
  GetFile_ = GetProcAddress(module_, "GetFile");
}

void TSPI::ReadInformation() {
  // One byte more than announced, so that even an unterminated string ends.
  char buffer[kSpiInfoBufferSize + 1];
  auto info = [&](int number, std::string& out) {
    std::fill(std::begin(buffer), std::end(buffer), '\0');
    if (GetPluginInfo(number, buffer, kSpiInfoAnnounced) <= 0) return false;
    out = SpiInfoString({buffer, kSpiInfoBufferSize});
    return true;
  };
  info(0, APIVersion);
  info(1, PluginName);
  // A plug-in that keeps answering is not believed beyond this many formats.
  for (int n = 2; n < 2 + 2 * 1024; n += 2) {
    std::string pattern, description;
    if (!info(n, pattern) || !info(n + 1, description)) break;
    Extensions.push_back(FromAnsi(pattern));
    Descriptions.push_back(FromAnsi(description));
  }
}

void TSPI::Require(const void* entry, const char* name) const {
  if (!entry) throw ESPIInvalidAPI(Ascii(name) + u"は[" + FileName + u"]では使えないSusie Plugin APIです");
}

void TSPI::CheckAPI() const { Require(reinterpret_cast<const void*>(GetPluginInfo_), "GetPluginInfo"); }

void TLoaderSPI::CheckAPI() const {
  TSPI::CheckAPI();
  Require(reinterpret_cast<const void*>(IsSupported_), "IsSupported");
}

void TInSPI::CheckAPI() const {
  TLoaderSPI::CheckAPI();
  Require(reinterpret_cast<const void*>(GetPictureInfo_), "GetPictureInfo");
  Require(reinterpret_cast<const void*>(GetPicture_), "GetPicture");
}

void TAmSPI::CheckAPI() const {
  TLoaderSPI::CheckAPI();
  Require(reinterpret_cast<const void*>(GetArchiveInfo_), "GetArchiveInfo");
  Require(reinterpret_cast<const void*>(GetFileInfo_), "GetFileInfo");
  Require(reinterpret_cast<const void*>(GetFile_), "GetFile");
}

int TSPI::GetPluginInfo(int info_number, LPSTR buffer, int buffer_length) const {
  Require(reinterpret_cast<const void*>(GetPluginInfo_), "GetPluginInfo");
  return GetPluginInfo_(info_number, buffer, buffer_length);
}

bool TSPI::IsSupported(LPCSTR file_name, const void* head) const {
  Require(reinterpret_cast<const void*>(IsSupported_), "IsSupported");
  return IsSupported_(file_name, reinterpret_cast<DWORD_PTR>(head)) != 0;
}

int TSPI::GetPictureInfo(LPCSTR source, SpiLength length, unsigned flag, SpiPictureInfo* info) const {
  Require(reinterpret_cast<const void*>(GetPictureInfo_), "GetPictureInfo");
  return GetPictureInfo_(source, length, flag, info);
}

int TSPI::GetPicture(LPCSTR source, SpiLength length, unsigned flag, HLOCAL* info_block, HLOCAL* bits_block,
                     SpiProgressCallback progress, SpiLength data) const {
  Require(reinterpret_cast<const void*>(GetPicture_), "GetPicture");
  return GetPicture_(source, length, flag, info_block, bits_block, progress, data);
}

int TSPI::GetPreview(LPCSTR source, SpiLength length, unsigned flag, HLOCAL* info_block, HLOCAL* bits_block,
                     SpiProgressCallback progress, SpiLength data) const {
  Require(reinterpret_cast<const void*>(GetPreview_), "GetPreview");
  return GetPreview_(source, length, flag, info_block, bits_block, progress, data);
}

}  // namespace zk
