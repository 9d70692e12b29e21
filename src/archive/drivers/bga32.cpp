#include "archive/drivers/bga32.h"

namespace zk {

ArchiveCommand TBGA32::Build(std::string_view word, const ArchiveCommandInput& in, const TArchiverOptions& options,
                             const CommandEnvironment& env) const {
  TCmdOpt cmd(env.lead_bytes);
  cmd.AddFlag("a", options.a > 0);
  cmd.AddRaw(options.c > 0 ? "-o" : "-n");
  cmd.AddFlag("i", options.n > 0 || HasOwner());
  cmd.AddFlag("r", options.r > 0);
  cmd.AddFlag("j", options.x < 1);
  cmd.AddNumber("l", options.jm);
  cmd.AddRaw(options.UserOptions);
  ArchiveCommand out;
  AddArchiveAndFolder(cmd, in);
  AddFileList(cmd, in, options, env, out);
  return Finish(word, cmd, std::move(out));
}

ArchiveCommand TBGA32::BuildExtractCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                           const CommandEnvironment& env) const {
  return Build("x", in, options, env);
}

ArchiveCommand TBGA32::BuildPackCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                        const CommandEnvironment& env) const {
  return Build("a", in, options, env);
}

ArchiveCommand TBGA32::BuildDeleteCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                          const CommandEnvironment& env) const {
  return Build("d", in, options, env);
}

ArchiveCommand TBGA32::BuildSfxCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                       const CommandEnvironment& env) const {
  ArchiveCommandInput without_files = in;
  without_files.files.clear();
  return Build("s", without_files, options, env);
}

}  // namespace zk
