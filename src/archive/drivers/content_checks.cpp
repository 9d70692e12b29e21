#include "archive/drivers/content_checks.h"

namespace zk {

namespace {

bool Opens(ContentCheckDll& dll, const std::string& full_path) {
  const uintptr_t handle = dll.OpenArchive(full_path, kCheckOpenMode);
  if (handle == 0) return false;
  dll.CloseArchive(handle);
  return true;
}

}  // namespace

TArchiverType TarContentCheck(ContentCheckDll& dll, const CheckedFile& file) {
  return TarTypeFromArchiveType(dll.GetArchiveType(file.name));
}

bool ContentCheck(TArchiverType type, ContentCheckDll& dll, const CheckedFile& file) {
  switch (type) {
    case atRar:
    case atCab:
      return Opens(dll, file.full_path);
    case atZip:
      return dll.CheckArchive(file.full_path, kZipCheckMode) != 0 && file.exists && Opens(dll, file.full_path);
    case atBga:
    case atYz1:
      return file.exists && Opens(dll, file.full_path);
    case atLha:
      return dll.CheckArchive(file.full_path, kLhaCheckMode) != 0 && Opens(dll, file.full_path);
    default:
      return false;
  }
}

}  // namespace zk
