// One loaded picture plug-in and its kinds: the plain plug-in, the loaders
// (import and archive) and the export kind. Each kind names the entries it
// cannot do without; every call goes through a wrapper that reports a
// missing entry as ESPIInvalidAPI.
#pragma once

#include <windows.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "image/plugins/spi_records.h"
#include "image/plugins/spi_rules.h"

namespace zk {

class ESPIError : public std::runtime_error {
 public:
  explicit ESPIError(std::u16string message);
  const std::u16string& Message() const { return message_; }

 private:
  std::u16string message_;
};
class ESPIInvalidAPI : public ESPIError {
 public:
  using ESPIError::ESPIError;
};
class ESPIFOpenErrorSPI : public ESPIError {
 public:
  using ESPIError::ESPIError;
};
class ESPIDupCreateSPIs : public ESPIError {
 public:
  using ESPIError::ESPIError;
};

// The 64-bit plug-ins pass lengths, offsets and the callback data pointer-sized.
#ifdef _WIN64
using SpiLength = LONG_PTR;
#else
using SpiLength = LONG;
#endif
static_assert(sizeof(HLOCAL) == sizeof(SpiPictureInfo::info_text));

using SpiProgressCallback = int(WINAPI*)(int numerator, int denominator, SpiLength data);
using SpiGetPluginInfo = int(WINAPI*)(int info_number, LPSTR buffer, int buffer_length);
using SpiConfigurationDlg = int(WINAPI*)(HWND parent, int function);
using SpiIsSupported = int(WINAPI*)(LPCSTR file_name, DWORD_PTR head);
using SpiGetPictureInfo = int(WINAPI*)(LPCSTR source, SpiLength length, unsigned flag, SpiPictureInfo* info);
using SpiGetPicture = int(WINAPI*)(LPCSTR source, SpiLength length, unsigned flag, HLOCAL* info_block,
                                   HLOCAL* bits_block, SpiProgressCallback progress, SpiLength data);
using SpiGetPreview = SpiGetPicture;

// Flags of the picture calls: the source is a file name (the length is the
// offset of the picture in it), or data in memory (the length is its size).
inline constexpr unsigned kSpiFromFile = 0;
inline constexpr unsigned kSpiFromMemory = 1;

class TSPI {
 public:
  virtual ~TSPI();
  TSPI(const TSPI&) = delete;
  TSPI& operator=(const TSPI&) = delete;

  // Loads the library and reads its information strings. Throws
  // ESPIFOpenErrorSPI when it does not load, ESPIInvalidAPI when an entry
  // the kind requires is missing.
  static std::unique_ptr<TSPI> Create(SpiKind kind, const std::u16string& path);

  std::u16string FileName;
  std::string APIVersion;
  std::string PluginName;
  std::vector<std::u16string> Extensions;    // file patterns such as "*.jpg;*.jpe"
  std::vector<std::u16string> Descriptions;  // the format of the pattern with the same index

  virtual SpiKind Kind() const { return SpiKind::kPlain; }
  bool IsLoader() const { return loader_; }

  int GetPluginInfo(int info_number, LPSTR buffer, int buffer_length) const;
  bool IsSupported(LPCSTR file_name, const void* head) const;
  int GetPictureInfo(LPCSTR source, SpiLength length, unsigned flag, SpiPictureInfo* info) const;
  int GetPicture(LPCSTR source, SpiLength length, unsigned flag, HLOCAL* info_block, HLOCAL* bits_block,
                 SpiProgressCallback progress, SpiLength data) const;
  int GetPreview(LPCSTR source, SpiLength length, unsigned flag, HLOCAL* info_block, HLOCAL* bits_block,
                 SpiProgressCallback progress, SpiLength data) const;

 protected:
  explicit TSPI(bool loader) : loader_(loader) {}
  // The entries this kind cannot do without; each kind adds to its base's.
  virtual void CheckAPI() const;
  void Require(const void* entry, const char* name) const;

 private:
  void Load(const std::u16string& path);
  void ReadInformation();

  HMODULE module_ = nullptr;
  bool loader_;

 protected:
  SpiGetPluginInfo GetPluginInfo_ = nullptr;
  SpiConfigurationDlg ConfigurationDlg_ = nullptr;
  SpiIsSupported IsSupported_ = nullptr;
  SpiGetPictureInfo GetPictureInfo_ = nullptr;
  SpiGetPicture GetPicture_ = nullptr;
  SpiGetPreview GetPreview_ = nullptr;
  FARPROC GetArchiveInfo_ = nullptr;
  FARPROC GetFileInfo_ = nullptr;
  FARPROC GetFile_ = nullptr;
};

class TLoaderSPI : public TSPI {
 protected:
  TLoaderSPI() : TSPI(true) {}
  void CheckAPI() const override;
};

class TInSPI final : public TLoaderSPI {
 public:
  SpiKind Kind() const override { return SpiKind::kImport; }

 protected:
  void CheckAPI() const override;
  friend class TSPI;
};

class TAmSPI final : public TLoaderSPI {
 public:
  SpiKind Kind() const override { return SpiKind::kArchive; }

 protected:
  void CheckAPI() const override;
  friend class TSPI;
};

class TXnSPI final : public TSPI {
 public:
  SpiKind Kind() const override { return SpiKind::kExport; }

 protected:
  TXnSPI() : TSPI(false) {}
  friend class TSPI;
};

}  // namespace zk
