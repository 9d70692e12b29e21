// One DLL binding per driver class for the whole process: loaded by the
// class's first driver, released by FreeDLL or FreeArchiverDlls.
#pragma once

#include <cstdint>

#include "archive/archiver_dll.h"
#include "archive/archiver_type.h"

namespace zk {

// The driver classes that own a binding; TAR's compressed forms share TAR's.
enum class DriverClass : uint8_t { kLha, kZip, kCab, kTar, kRar, kBga, kYz1, kSevenZip };
inline constexpr int kDriverClassCount = 8;

// The class serving a type that has a driver.
DriverClass DriverClassOf(TArchiverType type);

// Creates and loads the class's binding when there is none. A single library
// that fails to load raises ENoArchiverDLL and stays registered unloaded, so
// a later call does not try again; YZ1's two attempts leave nothing behind.
TCustomArchiverDll& LoadDLL(DriverClass c);
void FreeDLL(DriverClass c);
// The class's binding, null when none.
TCustomArchiverDll* DllBinding(DriverClass c);

// Every class's binding released, in the order LHA, ZIP, CAB, TAR, RAR, BGA,
// YZ1, 7z.
void FreeArchiverDlls();

}  // namespace zk
