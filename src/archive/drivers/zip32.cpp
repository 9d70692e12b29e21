#include "archive/drivers/zip32.h"

#include "archive/archiver_errors.h"

namespace zk {

namespace {

TCmdOpt EscapingCmd(const CommandEnvironment& env) {
  TCmdOpt cmd(env.lead_bytes);
  const LeadByteTest& lead = env.lead_bytes;
  cmd.SetEscape([&lead](std::string_view name) { return EscapeZipName(name, lead); });
  return cmd;
}

}  // namespace

ArchiveCommand TZip32::BuildUnpacking(std::string_view word, const ArchiveCommandInput& in,
                                      const TArchiverOptions& options, const CommandEnvironment& env) const {
  TCmdOpt cmd = EscapingCmd(env);
  cmd.AddFlag("o", options.c == 1);
  cmd.AddFlag("-i", options.n > 0 || HasOwner());
  cmd.AddFlag("j", options.x == 0);
  cmd.AddRaw(options.UserOptions);
  ArchiveCommand out;
  AddArchiveAndFolder(cmd, in);
  AddFileList(cmd, in, options, env, out);
  return Finish(word, cmd, std::move(out));
}

ArchiveCommand TZip32::BuildZip32j(std::string_view word, const ArchiveCommandInput& in,
                                   const TArchiverOptions& options, const CommandEnvironment& env) const {
  TCmdOpt cmd = EscapingCmd(env);
  cmd.AddFlag("S", options.a > 0);
  cmd.AddFlag("D", options.a < 2);
  cmd.AddFlag("v", options.l > 0);
  cmd.AddFlag("q", options.n > 0);
  cmd.AddFlag("r", options.r > 0);
  cmd.AddFlag("o", options.n > 0);
  cmd.AddFlag("u", options.u > 0);
  cmd.AddFlag("j", options.x == 0);
  cmd.AddFlag("FF", options.jc > 0);
  cmd.AddFlag("k", options.ji > 0);
  cmd.AddNumber("", options.jm);  // the compression level alone: -0 to -9
  cmd.AddFlag("J", options.gd > 0);
  cmd.AddRaw(options.UserOptions);
  ArchiveCommand out;
  AddArchiveAndFolder(cmd, in);
  AddFileList(cmd, in, options, env, out);
  return Finish(word, cmd, std::move(out));
}

ArchiveCommand TZip32::BuildLmzipPack(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                      const CommandEnvironment& env) const {
  TCmdOpt cmd(env.lead_bytes);
  cmd.AddFlag("o", options.c == 1);
  cmd.AddFlag("j", options.x == 0);
  cmd.AddRaw(options.UserOptions);
  ArchiveCommand out;
  cmd.AddValue(kNoSwitch, in.archive);
  AddFileList(cmd, in, options, env, out);
  return Finish("-ru", cmd, std::move(out));
}

ArchiveCommand TZip32::BuildExtractCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                           const CommandEnvironment& env) const {
  if (!env.zip.unzip32 && !env.zip.lmzip32) throw EArchiver(std::u16string(kMsgZipNoUnpacker));
  return BuildUnpacking("-x", in, options, env);
}

ArchiveCommand TZip32::BuildPackCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                        const CommandEnvironment& env) const {
  if (env.zip.zip32j) return BuildZip32j("", in, options, env);
  if (env.zip.lmzip32) return BuildLmzipPack(in, options, env);
  throw EArchiver(std::u16string(kMsgZipNoPacker));
}

ArchiveCommand TZip32::BuildDeleteCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                          const CommandEnvironment& env) const {
  return BuildZip32j("-d", in, options, env);
}

ArchiveCommand TZip32::BuildUpdateCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                          const CommandEnvironment& env) const {
  return BuildZip32j("-f", in, options, env);
}

ArchiveCommand TZip32::BuildExtractMemCommand(const std::string& archive, const std::string& member,
                                              const TArchiverOptions& options, const CommandEnvironment& env) const {
  return BuildUnpacking("", MemberOnly(archive, member), options, env);
}

}  // namespace zk
