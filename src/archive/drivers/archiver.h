// The per-format driver: turns an operation's options into its archiver's
// command line. Each format overrides the builders its archiver supports; the
// others raise the matching EArchiver message.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "archive/archiver_options.h"
#include "archive/archiver_type.h"
#include "archive/drivers/cmd_opt.h"
#include "archive/drivers/file_list.h"
#include "base/ansi_codec.h"

namespace zk {

// Which of the three ZIP libraries are loaded; the ZIP driver chooses its
// command lines by them.
struct ZipLibraries {
  bool unzip32 = false, zip32j = false, lmzip32 = false;
};

// What a builder needs from the platform.
struct CommandEnvironment {
  const LeadByteTest& lead_bytes;
  const AnsiCodec& ansi;
  // A file name expanded against the current folder (ANSI in, ANSI out).
  std::function<std::string(const std::string&)> full_path;
  ZipLibraries zip;
};

// The DLL that serves a format: the name used in messages, the prefix of its
// entry names and its file name.
struct ArchiverDllInfo {
  std::u16string_view display_name;
  std::string_view prefix;
  std::u16string_view file_name;
};

struct ArchiveCommandInput {
  std::string archive;  // ANSI
  FileList files;
  std::string folder;   // ANSI destination; may be empty
  bool use_response_file = false;
};

struct ResponseFile {
  std::u16string name;
  std::string contents;  // ANSI
};

struct ArchiveCommand {
  std::string line;
  // Written by the caller before the command runs (and left afterwards).
  std::optional<ResponseFile> response_file;
};

class TArchiver {
 public:
  virtual ~TArchiver() = default;

  // The owner window currently set for the DLL (0 when none).
  uintptr_t OwnerWindow() const { return owner_window_; }
  void RecordOwnerWindow(uintptr_t window) { owner_window_ = window; }

  virtual ArchiveCommand BuildExtractCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                             const CommandEnvironment& env) const = 0;
  virtual ArchiveCommand BuildPackCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                          const CommandEnvironment& env) const;
  virtual ArchiveCommand BuildDeleteCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                            const CommandEnvironment& env) const;
  virtual ArchiveCommand BuildUpdateCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                            const CommandEnvironment& env) const;
  virtual ArchiveCommand BuildSfxCommand(const ArchiveCommandInput& in, const TArchiverOptions& options,
                                         const CommandEnvironment& env) const;
  // The one member's command line for ExtractMem: no command word, no
  // destination, no response file.
  virtual ArchiveCommand BuildExtractMemCommand(const std::string& archive, const std::string& member,
                                                const TArchiverOptions& options, const CommandEnvironment& env) const;

 protected:
  bool HasOwner() const { return owner_window_ != 0; }

  // The input of a memory extraction as the shared builders take it.
  static ArchiveCommandInput MemberOnly(const std::string& archive, const std::string& member);
  // The archive quoted, then the destination folder.
  static void AddArchiveAndFolder(TCmdOpt& cmd, const ArchiveCommandInput& in);
  // The names (in a response file when asked for and ResFileName is set),
  // then UserFileList.
  static void AddFileList(TCmdOpt& cmd, const ArchiveCommandInput& in, const TArchiverOptions& options,
                          const CommandEnvironment& env, ArchiveCommand& out);
  // The command word followed by the built text.
  static ArchiveCommand Finish(std::string_view word, const TCmdOpt& cmd, ArchiveCommand out = {});

 private:
  uintptr_t owner_window_ = 0;
};

// A driver for a type that has one (HasDriver), else null. Creating one here
// loads nothing.
std::unique_ptr<TArchiver> CreateArchiverDriver(TArchiverType type);

}  // namespace zk
