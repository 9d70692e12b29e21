#include "archive/drivers/lha32.h"

#include "archive/archiver_errors.h"

namespace zk {

ArchiveCommand TLha32::Build(std::string_view word, const ArchiveCommandInput& in, const TArchiverOptions& options,
                             const CommandEnvironment& env) const {
  TCmdOpt cmd(env.lead_bytes);
  cmd.AddRaw("-+");
  // Without these two the archiver asks the user or misplaces folders.
  if (word == "x" && options.jse < 0) throw EArchiverAssertion(std::u16string(kMsgLhaJseUnset), "Lha32");
  if (options.jso < 0) throw EArchiverAssertion(std::u16string(kMsgLhaJsoUnset), "Lha32");
  // Every option in declaration order, each switch named as the option.
  for (const OptionField& field : OptionFields()) {
    switch (field.kind) {
      case OptionKind::kNumber: {
        int value = options.*field.number;
        if (field.name == "n" && HasOwner()) value = 1;  // the owner window shows the progress
        cmd.AddNumber(field.name, value);
        break;
      }
      case OptionKind::kText:
        if (field.name == "w")
          cmd.AddFolder(field.name, options.w);
        else
          cmd.AddValue(field.name, options.*field.text);
        break;
      case OptionKind::kList:
        cmd.AddList(field.name, FileList{options.jx});
        break;
    }
  }
  cmd.AddRaw(options.UserOptions);
  ArchiveCommand out;
  AddArchiveAndFolder(cmd, in);
  AddFileList(cmd, in, options, env, out);
  return Finish(word, cmd, std::move(out));
}

ArchiveCommand TLha32::BuildExtractCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                           const CommandEnvironment& env) const {
  return Build("x", in, options, env);
}

ArchiveCommand TLha32::BuildPackCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                        const CommandEnvironment& env) const {
  return Build("u", in, options, env);
}

ArchiveCommand TLha32::BuildDeleteCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                          const CommandEnvironment& env) const {
  ArchiveCommandInput without_folder = in;
  without_folder.folder.clear();
  return Build("d", without_folder, options, env);
}

ArchiveCommand TLha32::BuildUpdateCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                          const CommandEnvironment& env) const {
  return Build("f", in, options, env);
}

ArchiveCommand TLha32::BuildSfxCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                       const CommandEnvironment& env) const {
  ArchiveCommandInput without_files = in;
  without_files.files.clear();
  return Build("s", without_files, options, env);
}

ArchiveCommand TLha32::BuildExtractMemCommand(const std::string& archive, const std::string& member,
                                              const TArchiverOptions& options, const CommandEnvironment& env) const {
  return Build("", MemberOnly(archive, member), options, env);
}

}  // namespace zk
