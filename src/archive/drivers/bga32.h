// BGA archives (GZA, BZA) through BGA32.DLL. No memory extraction.
#pragma once

#include "archive/drivers/archiver.h"

namespace zk {

class TBGA32 : public TArchiver {
 public:
  static constexpr ArchiverDllInfo kDll{u"BGA 形式書庫", "Bga", u"BGA32.DLL"};

  ArchiveCommand BuildExtractCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                     const CommandEnvironment& env) const override;
  ArchiveCommand BuildPackCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                  const CommandEnvironment& env) const override;
  ArchiveCommand BuildDeleteCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                    const CommandEnvironment& env) const override;
  ArchiveCommand BuildSfxCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                 const CommandEnvironment& env) const override;

 private:
  ArchiveCommand Build(std::string_view word, const ArchiveCommandInput& in, const TArchiverOptions& options,
                       const CommandEnvironment& env) const;
};

}  // namespace zk
