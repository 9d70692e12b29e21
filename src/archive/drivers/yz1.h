// YZ1 archives through YYZ32.DLL or YZ1.DLL. No memory extraction.
#pragma once

#include "archive/drivers/archiver.h"

namespace zk {

class TYZ1 : public TArchiver {
 public:
  static constexpr ArchiverDllInfo kDll{u"YZ1 形式書庫", "Yz1", u"YYZ32.DLL"};

  ArchiveCommand BuildExtractCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                     const CommandEnvironment& env) const override;
  ArchiveCommand BuildPackCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                  const CommandEnvironment& env) const override;
  // Tried when the first DLL does not load.
  static constexpr std::u16string_view kSecondDll = u"YZ1.DLL";

 private:
  ArchiveCommand Build(std::string_view word, const ArchiveCommandInput& in, const TArchiverOptions& options,
                       const CommandEnvironment& env) const;
};

}  // namespace zk
