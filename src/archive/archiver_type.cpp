#include "archive/archiver_type.h"

#include <array>
#include <utility>

#include "base/paths.h"
#include "base/text.h"

namespace zk {

bool HasDriver(TArchiverType type) {
  switch (type) {
    case atLha: case atZip: case atCab: case atTar: case atTgz: case atBZ2:
    case atRar: case atBga: case atYz1: case at7z:
      return true;
    default:
      return false;
  }
}

ExtensionVerdict DetectArchiverTypeByExtension(std::u16string_view file_name) {
  static const std::array<std::pair<std::u16string_view, TArchiverType>, 24> kExtensions = {{
      {u".lzh", atLha}, {u".zip", atZip}, {u".jar", atZip}, {u".ear", atZip}, {u".war", atZip},
      {u".cab", atCab}, {u".arj", atArj}, {u".tar", atTar}, {u".a", atTar},   {u".lib", atTar},
      {u".deb", atTar}, {u".rpm", atTar}, {u".cpio", atTar}, {u".tgz", atTgz}, {u".gz", atTgz},
      {u".z", atTgz},   {u".taz", atTgz}, {u".bz2", atBZ2}, {u".rar", atRar}, {u".gza", atBga},
      {u".bza", atBga}, {u".yz1", atYz1}, {u".gca", atGCA}, {u".7z", at7z},
  }};
  const std::u16string ext = ExtractFileExt(file_name);
  if (ext.empty()) return {};
  if (EqualsIgnoreCase(ext, u".exe")) return {atNone, true};
  for (const auto& [known, type] : kExtensions)
    if (EqualsIgnoreCase(ext, known)) return {type, false};
  return {};
}

bool BuiltinReadsType(TArchiverType type) {
  switch (type) {
    case atLha: case atZip: case atCab: case atTar: case atTgz: case atBZ2: case atRar: case at7z:
      return true;
    default:
      return false;
  }
}

bool IsBuiltinOnlyExtension(std::u16string_view file_name) {
  static constexpr std::u16string_view kExtensions[] = {u".iso", u".xz", u".txz", u".zst", u".tzst",
                                                        u".lz4", u".tlz4", u".tbz", u".tbz2", u".lzma"};
  const std::u16string ext = ExtractFileExt(file_name);
  for (std::u16string_view known : kExtensions)
    if (EqualsIgnoreCase(ext, known)) return true;
  return false;
}

TArchiverType DecideByContent(const ContentAnswers& answers) {
  TArchiverType type = answers.tar;
  if (answers.rar) type = atRar;
  if (answers.zip) type = atZip;
  if (answers.bga) type = atBga;
  if (answers.yz1) type = atYz1;
  if (answers.cab) type = atCab;
  if (answers.lha) type = atLha;
  return type;
}

TArchiverType DetectByContent(const ContentChecks& checks) {
  auto ask = [](const std::function<bool()>& check) {
    try {
      return check && check();
    } catch (...) {
      return false;
    }
  };
  ContentAnswers answers;
  try {
    if (checks.tar) answers.tar = checks.tar();
  } catch (...) {
    answers.tar = atNone;
  }
  answers.rar = ask(checks.rar);
  answers.zip = ask(checks.zip);
  answers.bga = ask(checks.bga);
  answers.yz1 = ask(checks.yz1);
  answers.cab = ask(checks.cab);
  answers.lha = ask(checks.lha);
  return DecideByContent(answers);
}

TArchiverType TarTypeFromArchiveType(int code) {
  if (code == 1) return atTar;
  if (code >= 2 && code <= 5) return atTgz;
  if (code == 6 || code == 7) return atBZ2;
  return atNone;
}

}  // namespace zk
