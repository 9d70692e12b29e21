#include "archive/archive_file.h"

#include <algorithm>
#include <cstring>

#include "archive/archiver_errors.h"
#include "archive/builtin_archive.h"
#include "base/file_byte_source.h"
#include "base/win_handles.h"
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

// The built-in engine's archive: its members, read once when it is opened,
// and where FindFirst and FindNext are.
struct TArchiveFile::BuiltinState {
  std::vector<BuiltinMember> members;
  std::u16string error;  // why the listing stopped early
  size_t next = 0;
  const BuiltinMember* last = nullptr;
  bool error_told = false;
  std::u16string message;  // what the last operation had to say
};

namespace {

// The code the built-in engine's failures return, in the archivers' error range.
constexpr int kBuiltinFailed = 0x8020;

std::u16string LastNameComponent(const std::u16string& name) {
  const size_t cut = name.find_last_of(u"\\/:");
  return cut == std::u16string::npos ? name : name.substr(cut + 1);
}

}  // namespace

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

namespace {

// Whether a binding found its library; one that did not stays, unloaded.
bool BindingLoaded(TCustomArchiverDll& dll) {
  if (auto* zip = dynamic_cast<TZipDll*>(&dll)) return zip->Loaded(kUnzip32) || zip->Loaded(kZip32j) || zip->Loaded(kLmzip32);
  if (auto* single = dynamic_cast<TArchiverDll*>(&dll)) return single->Loaded();
  return true;
}

bool BuiltinRecognises(const std::u16string& path) {
  FileByteSource source(path);
  return source.is_open() && BuiltinArchiveReader(source, Ansi(), GetACP()).Recognised();
}

}  // namespace

void TArchiveFile::SetFileName(const std::u16string& name) {
  builtin_.reset();
  const ExtensionVerdict verdict = DetectArchiverTypeByExtension(name);
  const TArchiverType type = verdict.by_content ? DetectArchiverTypeByContent(name) : verdict.type;
  if (type == atNone && builtin_allowed_ && IsBuiltinOnlyExtension(name)) {
    UseBuiltIn();
  } else {
    // The format's archiver DLL is missing: the built-in engine reads it instead.
    const bool builtin_may = builtin_allowed_ && HasDriver(type) && BuiltinReadsType(type);
    try {
      SetArchiverType(type);
    } catch (const EArchiver&) {
      if (!builtin_may) throw;
    }
    if (builtin_may && (!driver_ || !BindingLoaded(Binding()))) UseBuiltIn();
  }
  file_name_ = name;
}

void TArchiveFile::UseBuiltIn() {
  driver_.reset();
  builtin_ = std::make_unique<BuiltinState>();
}

bool TArchiveFile::OpenBuiltIn() {
  FileByteSource source(file_name_);
  if (!source.is_open()) return false;
  BuiltinArchiveReader reader(source, Ansi(), GetACP());
  if (!reader.Recognised()) return false;
  BuiltinListing listing = reader.List();
  builtin_->members = std::move(listing.members);
  builtin_->error = std::move(listing.error);
  builtin_->next = 0;
  builtin_->last = nullptr;
  builtin_->error_told = false;
  handle_ = reinterpret_cast<HARC>(builtin_.get());
  return true;
}

int TArchiveFile::DeliverBuiltIn(TArchiveMemberInfo& info) {
  BuiltinState& b = *builtin_;
  if (b.next >= b.members.size()) {
    // Once, after the members read: the reason the listing ended early.
    if (b.error.empty() || b.error_told) return -1;
    b.error_told = true;
    b.message = b.error;
    return kBuiltinFailed;
  }
  const BuiltinMember& m = b.members[b.next++];
  b.last = &m;
  info = TArchiveMemberInfo{};
  const std::string ansi = Ansi().Encode(m.name);
  ansi.copy(info.szFileName, sizeof info.szFileName - 1);
  info.dwOriginalSize = static_cast<DWORD>(std::min<int64_t>(m.size, 0xFFFFFFFF));
  if (m.has_time) {
    // Seconds since 1970 to the DOS date and time of the local zone, as the archivers give them.
    const int64_t ticks = (m.mtime + 11644473600LL) * 10000000LL;
    FILETIME utc{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)}, local;
    if (FileTimeToLocalFileTime(&utc, &local)) FileTimeToDosDateTime(&local, &info.wDate, &info.wTime);
  }
  return 0;
}

std::u16string TArchiveFile::MemberName(const TArchiveMemberInfo& info) const {
  if (builtin_ && builtin_->last) return builtin_->last->name;
  return Ansi().Decode(FixedText(info.szFileName));
}

std::u16string TArchiveFile::OutputText() const {
  if (builtin_) return builtin_->message;
  return Ansi().Decode(std::string_view(Output(), strnlen(Output(), output_.size())));
}

int TArchiveFile::ExtractBuiltIn(const std::u16string& member, const std::u16string& folder, int64_t read_limit) {
  if (!builtin_) throw EArchiver(std::u16string(kMsgFormatUnknown));
  builtin_->message.clear();
  // The last name component only: nothing lands outside the folder.
  const std::u16string leaf = LastNameComponent(member);
  if (leaf.empty() || leaf == u"." || leaf == u".." || folder.empty()) {
    builtin_->message = kBuiltinNoMember;
    return kBuiltinFailed;
  }
  std::u16string target = folder;
  if (target.back() != u'\\') target += u'\\';
  target += leaf;
  FileByteSource source(file_name_);
  if (!source.is_open()) {
    builtin_->message = u"書庫を開けません";
    return kBuiltinFailed;
  }
  BuiltinExtraction done;
  {
    UniqueHandle out(CreateFileW(W(target), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out) {
      builtin_->message = kBuiltinNotWritten;
      return kBuiltinFailed;
    }
    BuiltinArchiveReader reader(source, Ansi(), GetACP());
    done = reader.Extract(member, read_limit, [&](const void* data, size_t size) {
      DWORD wrote = 0;
      return WriteFile(out.get(), data, static_cast<DWORD>(size), &wrote, nullptr) && wrote == size;
    });
  }
  if (done.ok) return 0;
  DeleteFileW(W(target));
  builtin_->message = done.error;
  return kBuiltinFailed;
}

int TArchiveFile::ExtractMemBuiltIn(const std::u16string& member, BYTE* buffer, DWORD size, DWORD& written) {
  if (!builtin_) throw EArchiver(std::u16string(kMsgFormatUnknown));
  builtin_->message.clear();
  written = 0;
  FileByteSource source(file_name_);
  if (!source.is_open()) {
    builtin_->message = u"書庫を開けません";
    return kBuiltinFailed;
  }
  BuiltinArchiveReader reader(source, Ansi(), GetACP());
  // The buffer is the limit: a member that expands past the size it was
  // given stops there, whatever its header says.
  BuiltinExtraction done = reader.Extract(member, size, [&](const void* data, size_t n) {
    if (n > size - written) return false;
    std::memcpy(buffer + written, data, n);
    written += static_cast<DWORD>(n);
    return true;
  });
  if (done.ok) return 0;
  builtin_->message = done.error == kBuiltinNotWritten ? std::u16string(kBuiltinOverLimit) : done.error;
  return kBuiltinFailed;
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
  if (!builtin_ && type_ == atAutoDetect) {
    const TArchiverType detected = DetectArchiverTypeByContent(file_name_);
    // No archiver DLL knows the file: the built-in engine decides by content.
    if (detected == atNone && builtin_allowed_ && BuiltinRecognises(file_name_)) UseBuiltIn();
    else SetArchiverType(detected);
  }
  if (builtin_) return OpenBuiltIn();
  RequireDriver();
  handle_ = Binding().OpenArchive(window, Ansi().Encode(file_name_), mode);
  return handle_ != nullptr;
}

int TArchiveFile::FindFirst(const std::string& wildcard, TArchiveMemberInfo& info) {
  // The built-in engine lists every member; the viewer asks for "*.*" only.
  if (builtin_) {
    builtin_->next = 0;
    builtin_->error_told = false;
    return DeliverBuiltIn(info);
  }
  RequireDriver();
  return Binding().FindFirst(handle_, wildcard, info);
}

int TArchiveFile::FindNext(TArchiveMemberInfo& info) {
  if (builtin_) return DeliverBuiltIn(info);
  RequireDriver();
  return Binding().FindNext(handle_, info);
}

void TArchiveFile::CloseArchive() {
  if (builtin_) {
    handle_ = nullptr;
    return;
  }
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
