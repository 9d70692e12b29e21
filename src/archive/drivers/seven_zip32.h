// 7z archives through 7-zip32.dll. No memory extraction.
#pragma once

#include "archive/drivers/archiver.h"

namespace zk {

class TSevenZip32 : public TArchiver {
 public:
  static constexpr ArchiverDllInfo kDll{u"7z 形式書庫", "SevenZip", u"7-zip32.dll"};

  ArchiveCommand BuildExtractCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                     const CommandEnvironment& env) const override;
  ArchiveCommand BuildPackCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                  const CommandEnvironment& env) const override;
  ArchiveCommand BuildDeleteCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                    const CommandEnvironment& env) const override;

 private:
  ArchiveCommand Build(std::string_view word, const ArchiveCommandInput& in, const TArchiverOptions& options,
                       const CommandEnvironment& env, bool extraction) const;
};

}  // namespace zk
