#include "archive/archiver_classes.h"

#include <array>
#include <memory>

#include "archive/archiver_errors.h"
#include "archive/drivers/bga32.h"
#include "archive/drivers/cab32.h"
#include "archive/drivers/lha32.h"
#include "archive/drivers/rar32.h"
#include "archive/drivers/seven_zip32.h"
#include "archive/drivers/tar32.h"

namespace zk {

namespace {

std::array<std::unique_ptr<TCustomArchiverDll>, kDriverClassCount>& Bindings() {
  static std::array<std::unique_ptr<TCustomArchiverDll>, kDriverClassCount> bindings;
  return bindings;
}

ArchiverDllInfo SingleLibrary(DriverClass c) {
  switch (c) {
    case DriverClass::kLha: return TLha32::kDll;
    case DriverClass::kCab: return TCab32::kDll;
    case DriverClass::kTar: return TTar32::kDll;
    case DriverClass::kRar: return TRar32::kDll;
    case DriverClass::kBga: return TBGA32::kDll;
    default: return TSevenZip32::kDll;
  }
}

std::unique_ptr<TCustomArchiverDll> LoadYz1() {
  for (const char16_t* file : {u"YYZ32.DLL", u"YZ1.DLL"}) {
    auto dll = std::make_unique<TYZ1Dll>(file);
    try {
      dll->LoadDll();
      return dll;
    } catch (const ENoArchiverDLL&) {
    }
  }
  throw EArchiver(Yz1DllsMissingMessage());
}

}  // namespace

DriverClass DriverClassOf(TArchiverType type) {
  switch (type) {
    case atLha: return DriverClass::kLha;
    case atZip: return DriverClass::kZip;
    case atCab: return DriverClass::kCab;
    case atRar: return DriverClass::kRar;
    case atBga: return DriverClass::kBga;
    case atYz1: return DriverClass::kYz1;
    case at7z: return DriverClass::kSevenZip;
    default: return DriverClass::kTar;
  }
}

TCustomArchiverDll& LoadDLL(DriverClass c) {
  auto& slot = Bindings()[static_cast<size_t>(c)];
  if (slot) return *slot;
  switch (c) {
    case DriverClass::kZip:
      slot = std::make_unique<TZipDll>();
      slot->LoadDll();
      break;
    case DriverClass::kYz1:
      slot = LoadYz1();
      break;
    default: {
      const ArchiverDllInfo info = SingleLibrary(c);
      slot = std::make_unique<TArchiverDll>(std::u16string(info.display_name), std::string(info.prefix),
                                            std::u16string(info.file_name));
      slot->LoadDll();  // on failure the binding stays, unloaded
    }
  }
  return *slot;
}

void FreeDLL(DriverClass c) { Bindings()[static_cast<size_t>(c)].reset(); }

TCustomArchiverDll* DllBinding(DriverClass c) { return Bindings()[static_cast<size_t>(c)].get(); }

void FreeArchiverDlls() {
  for (int i = 0; i < kDriverClassCount; ++i) FreeDLL(static_cast<DriverClass>(i));
}

}  // namespace zk
