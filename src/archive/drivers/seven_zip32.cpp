#include "archive/drivers/seven_zip32.h"

namespace zk {

ArchiveCommand TSevenZip32::Build(std::string_view word, const ArchiveCommandInput& in,
                                  const TArchiverOptions& options, const CommandEnvironment& env,
                                  bool extraction) const {
  TCmdOpt cmd(env.lead_bytes);
  if (extraction) {
    // How existing files are treated: rename the new, skip, or overwrite.
    if (options.m == 2)
      cmd.AddRaw("-aou");
    else if (options.jn > 0)
      cmd.AddRaw("-aos");
    else if (options.c > 0)
      cmd.AddRaw("-aoa");
  }
  cmd.AddRaw("-ms=off");
  cmd.AddFlag("hide", options.n > 0);
  cmd.AddFlag("r-", options.r == 0);
  cmd.AddFlag("r", options.r > 1);
  cmd.AddFolder("w", options.w);
  cmd.AddFlag("y", options.y > 0);
  cmd.AddList("x!", FileList{options.jx});
  cmd.AddFolder("o", in.folder);
  cmd.AddRaw(options.UserOptions);
  ArchiveCommand out;
  cmd.AddValue(kNoSwitch, in.archive);
  AddFileList(cmd, in, options, env, out);
  return Finish(word, cmd, std::move(out));
}

ArchiveCommand TSevenZip32::BuildExtractCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                                const CommandEnvironment& env) const {
  return Build(options.x == 0 ? "e" : "x", in, options, env, true);
}

ArchiveCommand TSevenZip32::BuildPackCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                             const CommandEnvironment& env) const {
  return Build("u", in, options, env, false);
}

ArchiveCommand TSevenZip32::BuildDeleteCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                               const CommandEnvironment& env) const {
  return Build("d", in, options, env, false);
}

}  // namespace zk
