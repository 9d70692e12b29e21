#include "archive/archive_file.h"

#include "archive/archiver_errors.h"
#include "archive/drivers/content_checks.h"
#include "archive/extra_streams.h"
#include "base/win_class.h"
#include "archive/win_lead_bytes.h"
#include "base/win_text.h"

namespace zk {

namespace {

const WinAnsiCodec& Ansi() {
  static const WinAnsiCodec codec;
  return codec;
}

const WinLeadBytes& LeadBytes() {
  static const WinLeadBytes lead;
  return lead;
}

std::string FullPathA(const std::string& name) {
  char buf[MAX_PATH * 2];
  const DWORD n = GetFullPathNameA(name.c_str(), sizeof buf, buf, nullptr);
  return n > 0 && n < sizeof buf ? std::string(buf, n) : name;
}

// A content check's calls on a loaded binding, without an owner window.
class BindingCheck final : public ContentCheckDll {
 public:
  explicit BindingCheck(TCustomArchiverDll& dll) : dll_(dll) {}
  int CheckArchive(const std::string& file, int mode) override { return dll_.CheckArchive(file, mode); }
  uintptr_t OpenArchive(const std::string& file, uint32_t mode) override {
    return reinterpret_cast<uintptr_t>(dll_.OpenArchive(nullptr, file, mode));
  }
  void CloseArchive(uintptr_t handle) override { dll_.CloseArchive(reinterpret_cast<HARC>(handle)); }
  int GetArchiveType(const std::string& file) override { return dll_.GetArchiveType(file); }

 private:
  TCustomArchiverDll& dll_;
};

// The component whose operation is running, for the enumeration callback.
TArchiveFile* g_current = nullptr;

bool WriteResponseFile(const ResponseFile& file) {
  HANDLE h = CreateFileW(W(file.name), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(h, file.contents.data(), static_cast<DWORD>(file.contents.size()), &written, nullptr) &&
                  written == file.contents.size();
  CloseHandle(h);
  return ok;
}

}  // namespace

TArchiverType DetectArchiverTypeByContent(const std::u16string& name) {
  CheckedFile file;
  file.name = Ansi().Encode(name);
  file.full_path = FullPathA(file.name);
  file.exists = GetFileAttributesA(file.full_path.c_str()) != INVALID_FILE_ATTRIBUTES;
  auto check = [&](TArchiverType type) {
    return [&file, type]() -> bool {
      try {
        BindingCheck dll(LoadDLL(DriverClassOf(type)));
        return ContentCheck(type, dll, file);
      } catch (...) {
        return false;
      }
    };
  };
  ContentChecks checks;
  checks.tar = [&file]() -> TArchiverType {
    try {
      BindingCheck dll(LoadDLL(DriverClass::kTar));
      return TarContentCheck(dll, file);
    } catch (...) {
      return atNone;
    }
  };
  checks.rar = check(atRar);
  checks.zip = check(atZip);
  checks.bga = check(atBga);
  checks.yz1 = check(atYz1);
  checks.cab = check(atCab);
  checks.lha = check(atLha);
  return DetectByContent(checks);
}

TArchiveFile::TArchiveFile() { options_.Reset(); }

TArchiveFile::~TArchiveFile() {
  if (notify_window_) DestroyWindow(notify_window_);
}

namespace {

UINT ArcExtractMessage() {
  static const UINT message = RegisterWindowMessageW(L"wm_arcextract");
  return message;
}

}  // namespace

LRESULT CALLBACK TArchiveFile::NotifyProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == ArcExtractMessage()) {
    if (auto* self = reinterpret_cast<TArchiveFile*>(GetWindowLongPtrW(wnd, GWLP_USERDATA)))
      return self->Notified(static_cast<int>(wp), reinterpret_cast<const TExtractingInfo*>(lp));
    return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

LRESULT TArchiveFile::Notified(int state, const TExtractingInfo* info) {
  bool abort = false;
  if (collector_ && info) {
    if (auto name = ExtraStreamToRestore(state, *info, separator_)) extra_streams_.insert(*name);
  }
  if (OnProgress) OnProgress(state, info, abort);
  return abort ? 1 : 0;
}

void TArchiveFile::SetFileName(const std::u16string& name) {
  const ExtensionVerdict verdict = DetectArchiverTypeByExtension(name);
  SetArchiverType(verdict.by_content ? DetectArchiverTypeByContent(name) : verdict.type);
  file_name_ = name;
}

void TArchiveFile::SetArchiverType(TArchiverType type) {
  if (type == atNone) return;
  if (type == atAutoDetect) {
    type_ = type;
    return;
  }
  if (!HasDriver(type)) throw EArchiver(std::u16string(kMsgFormatWithoutDriver));
  driver_.reset();
  LoadDLL(DriverClassOf(type));
  driver_ = CreateArchiverDriver(type);
  type_ = type;
}

void TArchiveFile::SetOutputSize(size_t size) {
  output_.assign(size, 0);
}

void TArchiveFile::RequireDriver() const {
  if (!driver_) throw EArchiver(std::u16string(kMsgFormatUnknown));
}

TCustomArchiverDll& TArchiveFile::Binding() const { return LoadDLL(DriverClassOf(type_)); }

CommandEnvironment TArchiveFile::Environment() const {
  CommandEnvironment env{LeadBytes(), Ansi(), FullPathA, {}};
  if (type_ == atZip) {
    auto& zip = static_cast<TZipDll&>(Binding());
    env.zip = {zip.Loaded(kUnzip32), zip.Loaded(kZip32j), zip.Loaded(kLmzip32)};
  }
  return env;
}

bool TArchiveFile::OpenArchive(HWND window, DWORD mode) {
  if (type_ == atAutoDetect) SetArchiverType(DetectArchiverTypeByContent(file_name_));
  RequireDriver();
  handle_ = Binding().OpenArchive(window, Ansi().Encode(file_name_), mode);
  return handle_ != nullptr;
}

int TArchiveFile::FindFirst(const std::string& wildcard, TArchiveMemberInfo& info) {
  RequireDriver();
  return Binding().FindFirst(handle_, wildcard, info);
}

int TArchiveFile::FindNext(TArchiveMemberInfo& info) {
  RequireDriver();
  return Binding().FindNext(handle_, info);
}

void TArchiveFile::CloseArchive() {
  RequireDriver();
  Binding().CloseArchive(handle_);
  handle_ = nullptr;
}

int WINAPI TArchiveFile::EnumMembersCallback(void* info) {
  bool abort = false;
  if (g_current && g_current->OnEnumMember) g_current->OnEnumMember(info, abort);
  return abort ? 0 : -1;
}

// Member enumeration is registered while an operation runs when someone
// listens or extra streams are to be restored.
void TArchiveFile::BeginOperation(const TArchiverOptions& options) {
  if (OnEnumMember || options.IncludeExtraStreams) {
    g_current = this;
    Binding().SetEnumMembersProc64(reinterpret_cast<void*>(&EnumMembersCallback), kEnumMemberInfo64Size);
  }
  if (!WantsNotifications()) return;
  ArcExtractMessage();
  if (!notify_window_) {
    static const wchar_t kClass[] = L"ZarvikArchiveNotify";
    EnsureWindowClass({kClass, NotifyProc});
    notify_window_ = CreateWindowExW(0, kClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                                     nullptr);
    if (notify_window_) SetWindowLongPtrW(notify_window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  // The owner window is a courtesy; an archiver refusing it changes nothing.
  try {
    driver_->RecordOwnerWindow(reinterpret_cast<uintptr_t>(notify_window_));
    Binding().SetOwnerWindowEx(notify_window_);
  } catch (...) {
  }
}

void TArchiveFile::EndOperation(const TArchiverOptions& options) {
  if (OnEnumMember || options.IncludeExtraStreams) {
    g_current = nullptr;
    Binding().ClearEnumMembersProc64();
  }
  if (!WantsNotifications()) return;
  try {
    Binding().KillOwnerWindowEx(notify_window_);
  } catch (...) {
  }
  driver_->RecordOwnerWindow(0);
}

// Members whose names held the separator become streams of their files again,
// where the destination's volume has named streams.
void TArchiveFile::RestoreExtraStreams(const std::string& folder) {
  if (extra_streams_.empty()) return;
  const std::string full = FullPathA(folder.empty() ? std::string(".") : folder);
  if (full.size() < 3) return;
  const std::string root = full.substr(0, 3);
  DWORD flags = 0;
  if (!GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0) ||
      !(flags & FILE_NAMED_STREAMS))
    return;
  for (const std::string& name : extra_streams_) {
    const DWORD attributes = GetFileAttributesA(name.c_str());
    HANDLE src = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (attributes != INVALID_FILE_ATTRIBUTES && src != INVALID_HANDLE_VALUE) {
      FILETIME write{}, access{}, creation{};
      GetFileTime(src, &creation, &access, &write);
      DWORD size = GetFileSize(src, nullptr);
      HANDLE dst = CreateFileA(StreamNameOf(name, separator_).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               attributes, nullptr);
      if (dst != INVALID_HANDLE_VALUE) {
        char buf[16384];
        while (size > 0) {
          DWORD n = 0, w = 0;
          if (!ReadFile(src, buf, size < sizeof buf ? size : sizeof buf, &n, nullptr) || n == 0) break;
          if (!WriteFile(dst, buf, n, &w, nullptr) || w != n) break;
          size -= n;
        }
        SetFileTime(dst, &creation, &access, &write);
        CloseHandle(dst);
      }
    }
    if (src != INVALID_HANDLE_VALUE) CloseHandle(src);
    DeleteFileA(name.c_str());
  }
}

int TArchiveFile::Extract(HWND window, const TArchiverOptions* options, const FileList& files,
                          const std::u16string& folder) {
  last_command_line_.clear();
  RequireDriver();
  const TArchiverOptions& opts = options ? *options : options_;
  ArchiveCommandInput in{Ansi().Encode(file_name_), files, Ansi().Encode(folder), Holds(opts.ResFileUsage, ruOnUnpack)};
  BeginOperation(opts);
  collector_ = false;
  if (opts.IncludeExtraStreams && !opts.StreamSeparator.empty()) {
    extra_streams_.clear();
    separator_ = opts.StreamSeparator;
    collector_ = true;
  }
  auto finish = [&] {
    RestoreExtraStreams(in.folder);
    extra_streams_.clear();
    collector_ = false;
    EndOperation(opts);
  };
  int result = 0;
  try {
    ArchiveCommand command = driver_->BuildExtractCommand(in, opts, Environment());
    last_command_line_ = command.line;
    if (command.response_file) WriteResponseFile(*command.response_file);
    result = Binding().Command(window, in.archive, command.line, output_.empty() ? nullptr : output_.data(),
                               static_cast<DWORD>(output_.size()));
  } catch (...) {
    finish();
    throw;
  }
  finish();
  return result;
}

int TArchiveFile::ExtractMem(HWND window, const TArchiverOptions* options, const std::string& member, BYTE* buffer,
                             DWORD size, DWORD& written) {
  last_command_line_.clear();
  RequireDriver();
  const TArchiverOptions& opts = options ? *options : options_;
  BeginOperation(opts);
  int result = 0;
  try {
    ArchiveCommand command = driver_->BuildExtractMemCommand(Ansi().Encode(file_name_), member, opts, Environment());
    last_command_line_ = command.line;
    result = Binding().ExtractMem(window, command.line, buffer, size, &written);
  } catch (...) {
    EndOperation(opts);
    throw;
  }
  EndOperation(opts);
  return result;
}

}  // namespace zk
