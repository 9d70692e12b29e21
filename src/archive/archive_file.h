// The one object through which the viewer reaches archives: it decides the
// format, keeps the format's driver and runs its operations through the
// driver's DLL binding.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "archive/archiver_classes.h"
#include "archive/archiver_options.h"
#include "archive/archiver_type.h"
#include "archive/drivers/archiver.h"
#include "archive/member_record.h"

namespace zk {

class TArchiveFile {
 public:
  TArchiveFile();
  ~TArchiveFile();
  TArchiveFile(const TArchiveFile&) = delete;
  TArchiveFile& operator=(const TArchiveFile&) = delete;

  // Detects the format by extension (".exe" by content) and writes the type
  // first; the name is stored only when that succeeds. Where the format's
  // archiver DLL cannot be loaded, or only the built-in engine knows the
  // extension, the built-in engine serves the archive (when allowed).
  void SetFileName(const std::u16string& name);

  // Whether archives no archiver DLL serves are read by the built-in engine
  // (off unless asked for); set before SetFileName.
  void AllowBuiltIn(bool allow) { builtin_allowed_ = allow; }
  // Whether the built-in engine serves this archive.
  bool BuiltIn() const { return builtin_ != nullptr; }
  // The member FindFirst or FindNext delivered last, named in full: the
  // built-in engine's UTF-16 name, else the record's ANSI name.
  std::u16string MemberName(const TArchiveMemberInfo& info) const;
  // What the last operation printed: the DLL's output buffer, or the
  // built-in engine's message.
  std::u16string OutputText() const;
  // The built-in engine's extractions, of a member named in full: into
  // folder (as its last name component, never outside folder), stopping at
  // the larger of read_limit and the size the member's header claims; or into
  // memory, stopping at size. 0 on success, else an error code with the
  // reason in OutputText.
  int ExtractBuiltIn(const std::u16string& member, const std::u16string& folder, int64_t read_limit);
  int ExtractMemBuiltIn(const std::u16string& member, BYTE* buffer, DWORD size, DWORD& written);
  const std::u16string& FileName() const { return file_name_; }

  // A type with a driver replaces the driver (loading its DLL); atAutoDetect
  // is stored; atNone changes nothing; a type without a driver raises.
  void SetArchiverType(TArchiverType type);
  TArchiverType ArchiverType() const { return type_; }

  void SetOutputSize(size_t size);
  size_t OutputSize() const { return output_.size(); }
  const char* Output() const { return output_.empty() ? "" : output_.data(); }

  TArchiverOptions& Options() { return options_; }
  const std::string& LastCommandLine() const { return last_command_line_; }

  bool OpenArchive(HWND window, DWORD mode);
  int FindFirst(const std::string& wildcard, TArchiveMemberInfo& info);
  int FindNext(TArchiveMemberInfo& info);
  void CloseArchive();

  // The DLL's result, passed back unchanged. options may be null for the
  // component's own.
  int Extract(HWND window, const TArchiverOptions* options, const FileList& files, const std::u16string& folder);
  int ExtractMem(HWND window, const TArchiverOptions* options, const std::string& member, BYTE* buffer, DWORD size,
                 DWORD& written);

  // Called for each member the DLL enumerates during an operation; setting
  // abort stops it.
  std::function<void(const void* enum_info, bool& abort)> OnEnumMember;
  // Called for each "wm_arcextract" notification during an extraction.
  std::function<void(int state, const TExtractingInfo* info, bool& abort)> OnProgress;

  // The window the archivers notify, once created (for tests).
  HWND NotificationWindow() const { return notify_window_; }

 private:
  void RequireDriver() const;
  TCustomArchiverDll& Binding() const;
  CommandEnvironment Environment() const;
  void BeginOperation(const TArchiverOptions& options);
  void EndOperation(const TArchiverOptions& options);
  static int WINAPI EnumMembersCallback(void* info);
  static LRESULT CALLBACK NotifyProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  bool WantsNotifications() const { return OnProgress || collector_; }
  LRESULT Notified(int state, const TExtractingInfo* info);
  void RestoreExtraStreams(const std::string& folder);

  struct BuiltinState;
  void UseBuiltIn();
  bool OpenBuiltIn();
  int DeliverBuiltIn(TArchiveMemberInfo& info);

  std::u16string file_name_;
  bool builtin_allowed_ = false;
  std::unique_ptr<BuiltinState> builtin_;
  TArchiverType type_ = atAutoDetect;
  std::unique_ptr<TArchiver> driver_;
  TArchiverOptions options_;
  std::vector<char> output_;
  std::string last_command_line_;
  HARC handle_ = nullptr;
  HWND notify_window_ = nullptr;
  // The extra-stream collector: attached only while an extraction runs.
  bool collector_ = false;
  std::string separator_;
  std::set<std::string> extra_streams_;
};

// The format of a file by asking each format's DLL; never raises.
TArchiverType DetectArchiverTypeByContent(const std::u16string& name);

}  // namespace zk
