#include "archive/drivers/tar32.h"

#include "archive/archiver_errors.h"

namespace zk {

ArchiveCommand TTar32::Build(std::string_view word, const ArchiveCommandInput& in, const TArchiverOptions& options,
                             const CommandEnvironment& env) const {
  TCmdOpt cmd(env.lead_bytes);
  cmd.SetQuoteStyle(TCmdOpt::kQuoteValueOnly);
  cmd.AddFlag("AH", options.a > 0);
  cmd.AddFlag("I", options.a == 0);
  // The owner window shows the progress itself.
  cmd.AddFlag("-display-dialog=0", !HasOwner() && options.n > 0);
  cmd.AddFlag("g", options.o > 0);
  cmd.AddNumber("-check-all-path=", options.p);
  cmd.AddNumber("-use-directory=", options.x);
  AddCompression(cmd, options);
  cmd.AddRaw(options.UserOptions);
  ArchiveCommand out;
  if (!in.archive.empty()) cmd.AddValue("f", in.archive);
  cmd.AddFolder("o", in.folder);
  AddFileList(cmd, in, options, env, out);
  return Finish(word, cmd, std::move(out));
}

ArchiveCommand TTar32::BuildExtractCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                           const CommandEnvironment& env) const {
  return Build("x", in, options, env);
}

ArchiveCommand TTar32::BuildPackCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                        const CommandEnvironment& env) const {
  return Build("c", in, options, env);
}

ArchiveCommand TTar32::BuildExtractMemCommand(const std::string& archive, const std::string& member,
                                              const TArchiverOptions& options, const CommandEnvironment& env) const {
  return Build("", MemberOnly(archive, member), options, env);
}

void TTgz32::AddCompression(TCmdOpt& cmd, const TArchiverOptions& options) const {
  if (options.jm < 1)
    cmd.AddRaw("-z");
  else
    cmd.AddNumber("z", options.jm);
}

void TBZ232::AddCompression(TCmdOpt& cmd, const TArchiverOptions& options) const {
  if (options.jm < 1)
    cmd.AddRaw("-B");
  else
    cmd.AddNumber("B", options.jm);
}

ArchiveCommand TBZ232::BuildSfxCommand(const ArchiveCommandInput&, const TArchiverOptions&,
                                       const CommandEnvironment&) const {
  throw EArchiver(std::u16string(kMsgBz2NoSfx));
}

}  // namespace zk
