#include "archive/drivers/yz1.h"

namespace zk {

ArchiveCommand TYZ1::Build(std::string_view word, const ArchiveCommandInput& in, const TArchiverOptions& options,
                           const CommandEnvironment& env) const {
  // The archiver's own level scale, from the method option.
  int level = -1;
  switch (options.m) {
    case 0: level = 2; break;
    case 1: level = 1; break;
    case 2: level = 2; break;
    case 9: level = 0; break;
    default: break;
  }
  TCmdOpt cmd(env.lead_bytes);
  cmd.AddRaw("-+");
  cmd.AddNumber("c", level == 2 ? 2 : options.c);
  cmd.AddNumber("y", level);
  cmd.AddFlag("i", options.n > 0 || HasOwner());
  cmd.AddNumber("z", options.p);
  cmd.AddNumber("x", options.x);
  cmd.AddRaw(options.UserOptions);
  ArchiveCommand out;
  AddArchiveAndFolder(cmd, in);
  AddFileList(cmd, in, options, env, out);
  return Finish(word, cmd, std::move(out));
}

ArchiveCommand TYZ1::BuildExtractCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                         const CommandEnvironment& env) const {
  return Build("x", in, options, env);
}

ArchiveCommand TYZ1::BuildPackCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                      const CommandEnvironment& env) const {
  return Build("c", in, options, env);
}

}  // namespace zk
