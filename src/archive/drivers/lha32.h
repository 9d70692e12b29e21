// LHA archives through UNLHA32.DLL. Its builder reads nearly every option.
#pragma once

#include "archive/drivers/archiver.h"

namespace zk {

class TLha32 : public TArchiver {
 public:
  static constexpr ArchiverDllInfo kDll{u"LHA 形式書庫", "Unlha", u"UNLHA32.DLL"};

  ArchiveCommand BuildExtractCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                     const CommandEnvironment& env) const override;
  ArchiveCommand BuildPackCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                  const CommandEnvironment& env) const override;
  ArchiveCommand BuildDeleteCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                    const CommandEnvironment& env) const override;
  ArchiveCommand BuildUpdateCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                    const CommandEnvironment& env) const override;
  ArchiveCommand BuildSfxCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                 const CommandEnvironment& env) const override;
  ArchiveCommand BuildExtractMemCommand(const std::string& archive, const std::string& member,
                                        const TArchiverOptions& options, const CommandEnvironment& env) const override;

 private:
  ArchiveCommand Build(std::string_view word, const ArchiveCommandInput& in, const TArchiverOptions& options,
                       const CommandEnvironment& env) const;
};

}  // namespace zk
