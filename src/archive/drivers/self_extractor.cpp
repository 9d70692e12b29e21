#include "archive/drivers/self_extractor.h"

#include "archive/archiver_errors.h"
#include "base/paths.h"

namespace zk {

std::optional<SfxSupport> SfxSupportFor(TArchiverType type, int gw) {
  const bool dos = gw <= 0;
  switch (type) {
    case atZip:
      if (dos) return SfxSupport{{u"sfx16.dat"}, u"DOS", u".EXE"};
      return SfxSupport{{u"sfx32gui.dat"}, u"Win32", u".EXE"};
    case atTar:
    case atTgz:
      return SfxSupport{{u"kmtarsef.exe"}, u"", u".EXE"};
    case atBZ2:
      throw EArchiver(std::u16string(kMsgBz2NoSfx));
    case atYz1:
      if (dos) return SfxSupport{{u"yzdos16.sfx"}, u"DOS", u".exe"};
      return SfxSupport{{u"yzw32cui.sfx", u"yzdec.exe"}, u"Win32", u".exe"};
    case at7z:
      if (dos) throw EArchiver(std::u16string(kMsgNo16BitSfx));
      return SfxSupport{{u"7z.sfx"}, u"", u".exe"};
    default:
      return std::nullopt;
  }
}

void RaiseSfxSupportMissing(TArchiverType type, const SfxSupport& support) {
  const std::u16string_view file = support.files.empty() ? u"" : support.files.front();
  switch (type) {
    case atZip: throw ESfxNoRequiredFile(u"zip", file, support.kind);
    case atYz1: throw EArchiver(std::u16string(support.kind == u"DOS" ? kMsgYz1NoDosSfx : kMsgYz1NoWin32Sfx));
    case at7z: throw ESfxNoRequiredFile(u"7z", file, u"");
    default: throw ESfxNoRequiredFile(u"tar/tgz", file, u"");
  }
}

std::u16string SfxOutputName(std::u16string_view archive, std::u16string_view folder,
                             std::u16string_view extension) {
  const std::u16string name = ChangeFileExt(archive, extension);
  if (folder.empty()) return name;
  return IncludeTrailingDelimiter(folder) + ExtractFileName(name);
}

std::string Yz1SfxTrailer(uint32_t archive_size) {
  return {static_cast<char>(archive_size >> 24), static_cast<char>(archive_size >> 16),
          static_cast<char>(archive_size >> 8), static_cast<char>(archive_size)};
}

}  // namespace zk
