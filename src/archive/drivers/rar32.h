// RAR archives through UNRAR32.DLL; extraction only.
#pragma once

#include "archive/drivers/archiver.h"

namespace zk {

class TRar32 : public TArchiver {
 public:
  static constexpr ArchiverDllInfo kDll{u"RAR 形式書庫", "Unrar", u"UNRAR32.DLL"};

  ArchiveCommand BuildExtractCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                     const CommandEnvironment& env) const override;
  ArchiveCommand BuildExtractMemCommand(const std::string& archive, const std::string& member,
                                        const TArchiverOptions& options, const CommandEnvironment& env) const override;

 private:
  ArchiveCommand Build(std::string_view word, const ArchiveCommandInput& in, const TArchiverOptions& options,
                       const CommandEnvironment& env) const;
};

}  // namespace zk
