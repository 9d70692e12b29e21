// ZIP archives: UNZIP32.DLL or LMZIP32.DLL unpack, ZIP32J.DLL or LMZIP32.DLL pack.
#pragma once

#include "archive/drivers/archiver.h"

namespace zk {

class TZip32 : public TArchiver {
 public:
  ArchiveCommand BuildExtractCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                     const CommandEnvironment& env) const override;
  ArchiveCommand BuildPackCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                  const CommandEnvironment& env) const override;
  ArchiveCommand BuildDeleteCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                    const CommandEnvironment& env) const override;
  ArchiveCommand BuildUpdateCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                    const CommandEnvironment& env) const override;
  ArchiveCommand BuildExtractMemCommand(const std::string& archive, const std::string& member,
                                        const TArchiverOptions& options, const CommandEnvironment& env) const override;

  static constexpr std::u16string_view kUnzipDll = u"UNZIP32.DLL";
  static constexpr std::u16string_view kZip32jDll = u"ZIP32J.DLL";
  static constexpr std::u16string_view kLmzipDll = u"LMZIP32.DLL";

 private:
  ArchiveCommand BuildUnpacking(std::string_view word, const ArchiveCommandInput& in, const TArchiverOptions& options,
                                const CommandEnvironment& env) const;
  ArchiveCommand BuildZip32j(std::string_view word, const ArchiveCommandInput& in, const TArchiverOptions& options,
                             const CommandEnvironment& env) const;
  ArchiveCommand BuildLmzipPack(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                const CommandEnvironment& env) const;
};

}  // namespace zk
