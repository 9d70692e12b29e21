#include "archive/drivers/archiver.h"

#include "archive/archiver_errors.h"
#include "archive/drivers/bga32.h"
#include "archive/drivers/cab32.h"
#include "archive/drivers/lha32.h"
#include "archive/drivers/rar32.h"
#include "archive/drivers/seven_zip32.h"
#include "archive/drivers/tar32.h"
#include "archive/drivers/yz1.h"
#include "archive/drivers/zip32.h"

namespace zk {

ArchiveCommand TArchiver::BuildPackCommand(const ArchiveCommandInput&, const TArchiverOptions&,
                                           const CommandEnvironment&) const {
  throw EArchiver(std::u16string(kMsgNoPack));
}

ArchiveCommand TArchiver::BuildDeleteCommand(const ArchiveCommandInput&, const TArchiverOptions&,
                                             const CommandEnvironment&) const {
  throw EArchiver(std::u16string(kMsgNoDelete));
}

ArchiveCommand TArchiver::BuildUpdateCommand(const ArchiveCommandInput&, const TArchiverOptions&,
                                             const CommandEnvironment&) const {
  throw EArchiver(std::u16string(kMsgNoUpdate));
}

ArchiveCommand TArchiver::BuildSfxCommand(const ArchiveCommandInput&, const TArchiverOptions&,
                                          const CommandEnvironment&) const {
  throw EArchiver(std::u16string(kMsgNoSfx));
}

ArchiveCommand TArchiver::BuildExtractMemCommand(const std::string&, const std::string&, const TArchiverOptions&,
                                                 const CommandEnvironment&) const {
  throw EArchiver(std::u16string(kMsgNoExtractMem));
}

ArchiveCommandInput TArchiver::MemberOnly(const std::string& archive, const std::string& member) {
  ArchiveCommandInput in;
  in.archive = archive;
  in.files = {member};
  return in;
}

void TArchiver::AddArchiveAndFolder(TCmdOpt& cmd, const ArchiveCommandInput& in) {
  cmd.AddValue(kNoSwitch, in.archive);
  cmd.AddFolder(kNoSwitch, in.folder);
}

void TArchiver::AddFileList(TCmdOpt& cmd, const ArchiveCommandInput& in, const TArchiverOptions& options,
                            const CommandEnvironment& env, ArchiveCommand& out) {
  if (in.use_response_file && !options.ResFileName.empty() && options.ResFileName != std::u16string(1, u'\0')) {
    ResponseFile file{options.ResFileName, {}};
    cmd.AddResponseFile(in.files, env.ansi.Encode(options.ResFileName), file.contents);
    out.response_file = std::move(file);
  } else {
    cmd.AddList(kNoSwitch, in.files);
  }
  cmd.AddRaw(options.UserFileList);
}

ArchiveCommand TArchiver::Finish(std::string_view word, const TCmdOpt& cmd, ArchiveCommand out) {
  out.line = std::string(word) + cmd.Text();
  return out;
}

std::unique_ptr<TArchiver> CreateArchiverDriver(TArchiverType type) {
  switch (type) {
    case atLha: return std::make_unique<TLha32>();
    case atZip: return std::make_unique<TZip32>();
    case atCab: return std::make_unique<TCab32>();
    case atTar: return std::make_unique<TTar32>();
    case atTgz: return std::make_unique<TTgz32>();
    case atBZ2: return std::make_unique<TBZ232>();
    case atRar: return std::make_unique<TRar32>();
    case atBga: return std::make_unique<TBGA32>();
    case atYz1: return std::make_unique<TYZ1>();
    case at7z: return std::make_unique<TSevenZip32>();
    default: return nullptr;
  }
}

}  // namespace zk
