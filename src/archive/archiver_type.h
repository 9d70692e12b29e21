// Archive formats and how a file's format is decided: by its extension, or
// by asking each format's archiver whether the file is one of its own.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace zk {

enum TArchiverType : uint8_t {
  atLha, atZip, atCab, atArj, atTar, atTgz, atBZ2, atRar, atBga, atYz1, atGCA, atBel, at7z,
  atNone,        // not an archive
  atAutoDetect,  // decided by content when the archive is opened
};

// Whether a driver serves the format.
bool HasDriver(TArchiverType type);

// What the file's extension says: a type (atNone for an unknown extension),
// or by_content for ".exe", whose format is decided by content at once.
struct ExtensionVerdict {
  TArchiverType type = atNone;
  bool by_content = false;
};
ExtensionVerdict DetectArchiverTypeByExtension(std::u16string_view file_name);

// Formats the built-in engine reads when their archiver DLL cannot be loaded.
bool BuiltinReadsType(TArchiverType type);
// Extensions no archiver DLL is chosen for, which only the built-in engine
// reads (".iso", ".xz", ".zst", ".lz4" and their TAR forms).
bool IsBuiltinOnlyExtension(std::u16string_view file_name);

// The answers of the content checks, each format's own. tar is the TAR
// archiver's verdict (atTar, atTgz, atBZ2 or atNone); the others say yes or no.
struct ContentAnswers {
  TArchiverType tar = atNone;
  bool rar = false, zip = false, bga = false, yz1 = false, cab = false, lha = false;
};
// Later checks win: LHA over CAB over YZ1 over BGA over ZIP over RAR over TAR.
TArchiverType DecideByContent(const ContentAnswers& answers);

// Each format's content check; a check that fails in any way (its DLL or an
// entry missing, the DLL erring) counts as no.
struct ContentChecks {
  std::function<TArchiverType()> tar;
  std::function<bool()> rar, zip, bga, yz1, cab, lha;
};
// Runs all seven checks in this order and decides; never raises.
TArchiverType DetectByContent(const ContentChecks& checks);

// The TAR archiver's GetArchiveType code as a format.
TArchiverType TarTypeFromArchiveType(int code);

}  // namespace zk
