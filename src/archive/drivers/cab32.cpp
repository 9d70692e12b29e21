#include "archive/drivers/cab32.h"

namespace zk {

ArchiveCommand TCab32::Build(std::string_view word, const ArchiveCommandInput& in, const TArchiverOptions& options,
                             const CommandEnvironment& env) const {
  TCmdOpt cmd(env.lead_bytes);
  cmd.AddFlag("o", options.c == 1);
  cmd.AddFlag("i", options.n > 0 || HasOwner());
  cmd.AddFlag("r", options.r > 0);
  cmd.AddFolder("h", options.w);
  cmd.AddFlag("j", options.x == 0);
  cmd.AddFlag("q", options.ji > 0);
  cmd.AddRaw(options.UserOptions);
  ArchiveCommand out;
  AddArchiveAndFolder(cmd, in);
  AddFileList(cmd, in, options, env, out);
  return Finish(word, cmd, std::move(out));
}

ArchiveCommand TCab32::BuildExtractCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                           const CommandEnvironment& env) const {
  // The archiver resolves a relative archive name against its own idea of
  // the current folder, so it gets the full path.
  ArchiveCommandInput full = in;
  if (env.full_path) full.archive = env.full_path(in.archive);
  return Build("-x", full, options, env);
}

ArchiveCommand TCab32::BuildPackCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                        const CommandEnvironment& env) const {
  return Build("-a", in, options, env);
}

ArchiveCommand TCab32::BuildSfxCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                       const CommandEnvironment& env) const {
  return Build("-f", in, options, env);
}

ArchiveCommand TCab32::BuildExtractMemCommand(const std::string& archive, const std::string& member,
                                              const TArchiverOptions& options, const CommandEnvironment& env) const {
  return Build("", MemberOnly(archive, member), options, env);
}

}  // namespace zk
