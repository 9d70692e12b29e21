// TAR archives and their gzip and bzip2 forms, all through TAR32.DLL.
#pragma once

#include "archive/drivers/archiver.h"

namespace zk {

class TTar32 : public TArchiver {
 public:
  static constexpr ArchiverDllInfo kDll{u"tar/tgz/taz/bz2 形式書庫", "Tar", u"TAR32.DLL"};

  ArchiveCommand BuildExtractCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                     const CommandEnvironment& env) const override;
  ArchiveCommand BuildPackCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                  const CommandEnvironment& env) const override;
  ArchiveCommand BuildExtractMemCommand(const std::string& archive, const std::string& member,
                                        const TArchiverOptions& options, const CommandEnvironment& env) const override;

 protected:
  // The compression switches of the subclasses; plain TAR has none.
  virtual void AddCompression(TCmdOpt& cmd, const TArchiverOptions& options) const {}

 private:
  ArchiveCommand Build(std::string_view word, const ArchiveCommandInput& in, const TArchiverOptions& options,
                       const CommandEnvironment& env) const;
};

class TTgz32 : public TTar32 {
 protected:
  void AddCompression(TCmdOpt& cmd, const TArchiverOptions& options) const override;
};

class TBZ232 : public TTar32 {
 public:
  ArchiveCommand BuildSfxCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                 const CommandEnvironment& env) const override;

 protected:
  void AddCompression(TCmdOpt& cmd, const TArchiverOptions& options) const override;
};

}  // namespace zk
