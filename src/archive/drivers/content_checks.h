// How each format's DLL is asked whether a file is one of its archives.
#pragma once

#include <cstdint>
#include <string>

#include "archive/archiver_type.h"

namespace zk {

// The calls a content check makes on its format's DLL (no owner window).
class ContentCheckDll {
 public:
  virtual ~ContentCheckDll() = default;
  virtual int CheckArchive(const std::string& file, int mode) = 0;
  virtual uintptr_t OpenArchive(const std::string& file, uint32_t mode) = 0;
  virtual void CloseArchive(uintptr_t handle) = 0;
  virtual int GetArchiveType(const std::string& file) = 0;
};

inline constexpr uint32_t kCheckOpenMode = 0x800002;
inline constexpr int kZipCheckMode = 24;
inline constexpr int kLhaCheckMode = 16;

// The file as the check sees it: the name as given (TAR asks with that),
// the full path in the ANSI code page, and whether the file exists.
struct CheckedFile {
  std::string name;
  std::string full_path;
  bool exists = false;
};

// TAR's answer is a type (atTar, atTgz, atBZ2 or atNone).
TArchiverType TarContentCheck(ContentCheckDll& dll, const CheckedFile& file);
// The yes-or-no checks of RAR, ZIP, BGA, YZ1, CAB and LHA. Every handle
// opened is closed again. Failures of the DLL propagate; the caller counts
// them as no.
bool ContentCheck(TArchiverType type, ContentCheckDll& dll, const CheckedFile& file);

}  // namespace zk
