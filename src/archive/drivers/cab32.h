// CAB archives through CAB32.DLL.
#pragma once

#include "archive/drivers/archiver.h"

namespace zk {

class TCab32 : public TArchiver {
 public:
  static constexpr ArchiverDllInfo kDll{u"CAB 形式書庫", "Cab", u"CAB32.DLL"};

  ArchiveCommand BuildExtractCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                     const CommandEnvironment& env) const override;
  ArchiveCommand BuildPackCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
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
