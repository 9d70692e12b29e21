#include "archive/drivers/rar32.h"

namespace zk {

ArchiveCommand TRar32::Build(std::string_view word, const ArchiveCommandInput& in, const TArchiverOptions& options,
                             const CommandEnvironment& env) const {
  TCmdOpt cmd(env.lead_bytes);
  cmd.AddFlag("u", options.c < 1);
  cmd.AddFlag("y", options.m > 0);
  cmd.AddFlag("s", options.p > 0);
  cmd.AddRaw(options.UserOptions);
  ArchiveCommand out;
  AddArchiveAndFolder(cmd, in);
  AddFileList(cmd, in, options, env, out);
  return Finish(word, cmd, std::move(out));
}

ArchiveCommand TRar32::BuildExtractCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                           const CommandEnvironment& env) const {
  // "-e" drops the members' folders.
  return Build(options.x == 0 ? "-e" : "-x", in, options, env);
}

ArchiveCommand TRar32::BuildExtractMemCommand(const std::string& archive, const std::string& member,
                                              const TArchiverOptions& options, const CommandEnvironment& env) const {
  return Build("", MemberOnly(archive, member), options, env);
}

}  // namespace zk
