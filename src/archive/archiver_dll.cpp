#include "archive/archiver_dll.h"

#include <utility>

#include "archive/archiver_errors.h"
#include "base/win_text.h"

namespace zk {

namespace {

using CommandProc = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);
using OpenProc = HARC(WINAPI*)(HWND, LPCSTR, DWORD);
using CloseProc = int(WINAPI*)(HARC);
using FindFirstProc = int(WINAPI*)(HARC, LPCSTR, TArchiveMemberInfo*);
using FindNextProc = int(WINAPI*)(HARC, TArchiveMemberInfo*);
using ExtractMemProc = int(WINAPI*)(HWND, LPCSTR, LPBYTE, DWORD, void*, LPWORD, LPDWORD);
using CheckProc = BOOL(WINAPI*)(LPCSTR, int);
using WindowProc = BOOL(WINAPI*)(HWND);
using SetOwnerProc = BOOL(WINAPI*)(HWND, void*);
using TimeProc = BOOL(WINAPI*)(HARC, FILETIME*);
using TypeProc = int(WINAPI*)(LPCSTR);
using SetEnumProc = BOOL(WINAPI*)(void*, DWORD);
using ClearEnumProc = BOOL(WINAPI*)();
using SetPasswordProc = int(WINAPI*)(HARC, LPCSTR);
using PasswordDialogProc = int(WINAPI*)(HWND, LPSTR, DWORD);

template <typename T>
T As(FARPROC p) {
  return reinterpret_cast<T>(reinterpret_cast<void*>(p));
}

std::u16string AnsiToText(std::string_view s) { return WinAnsiCodec().Decode(s); }
std::string TextToAnsi(std::u16string_view s) { return WinAnsiCodec().Encode(s); }

std::u16string ModulePath(HMODULE module) {
  char path[258] = {};
  if (module) GetModuleFileNameA(module, path, 257);
  return AnsiToText(path);
}

}  // namespace

int64_t LocalTimeOffset() {
  // A fixed day in the middle of the range, converted back by the system.
  const uint64_t local_ticks = 130000000000000000ULL;
  FILETIME local{static_cast<DWORD>(local_ticks), static_cast<DWORD>(local_ticks >> 32)}, utc{};
  if (!LocalFileTimeToFileTime(&local, &utc)) return 0;
  const uint64_t utc_ticks = (static_cast<uint64_t>(utc.dwHighDateTime) << 32) | utc.dwLowDateTime;
  return static_cast<int64_t>(local_ticks - utc_ticks);
}

// ---- TCustomArchiverDll

void TCustomArchiverDll::ForgetEntries() { entries_.fill(nullptr); }

FARPROC TCustomArchiverDll::Entry(DllEntry entry) {
  BeforeCall();
  FARPROC& slot = entries_[static_cast<size_t>(entry)];
  if (!slot) slot = Resolve(entry);
  return slot;
}

int TCustomArchiverDll::Command(HWND window, const std::string&, const std::string& line, char* output, DWORD size) {
  FARPROC p = Entry(DllEntry::kCommand);
  return p ? As<CommandProc>(p)(window, line.c_str(), size ? output : nullptr, size) : 0;
}

int TCustomArchiverDll::SecondCommand(HWND window, const std::string& archive, const std::string& line, char* output,
                                      DWORD size) {
  return Command(window, archive, line, output, size);
}

BOOL TCustomArchiverDll::CheckArchive(const std::string& file, int mode) {
  FARPROC p = Entry(DllEntry::kCheckArchive);
  return p ? As<CheckProc>(p)(file.c_str(), mode) : FALSE;
}

int TCustomArchiverDll::CloseArchive(HARC archive) {
  FARPROC p = Entry(DllEntry::kCloseArchive);
  return p ? As<CloseProc>(p)(archive) : 0;
}

int TCustomArchiverDll::ExtractMem(HWND window, const std::string& line, BYTE* buffer, DWORD size, DWORD* written) {
  FARPROC p = Entry(DllEntry::kExtractMem);
  return p ? As<ExtractMemProc>(p)(window, line.c_str(), buffer, size, nullptr, nullptr, written) : 0;
}

int TCustomArchiverDll::FindFirst(HARC archive, const std::string& wildcard, TArchiveMemberInfo& info) {
  FARPROC p = Entry(DllEntry::kFindFirst);
  if (!p) return 0;
  const int result = As<FindFirstProc>(p)(archive, wildcard.c_str(), &info);
  if (result == 0) CompleteRecord(archive, info);
  return result;
}

int TCustomArchiverDll::FindNext(HARC archive, TArchiveMemberInfo& info) {
  FARPROC p = Entry(DllEntry::kFindNext);
  if (!p) return 0;
  const int result = As<FindNextProc>(p)(archive, &info);
  if (result == 0) CompleteRecord(archive, info);
  return result;
}

BOOL TCustomArchiverDll::KillOwnerWindowEx(HWND window) {
  FARPROC p = Entry(DllEntry::kKillOwnerWindowEx);
  return p ? As<WindowProc>(p)(window) : FALSE;
}

HARC TCustomArchiverDll::OpenArchive(HWND window, const std::string& file, DWORD mode) {
  FARPROC p = Entry(DllEntry::kOpenArchive);
  return p ? As<OpenProc>(p)(window, file.c_str(), mode) : nullptr;
}

BOOL TCustomArchiverDll::SetOwnerWindowEx(HWND window) {
  FARPROC p = Entry(DllEntry::kSetOwnerWindowEx);
  return p ? As<SetOwnerProc>(p)(window, nullptr) : FALSE;
}

BOOL TCustomArchiverDll::GetWriteTimeEx(HARC archive, FILETIME& time) {
  FARPROC p = Entry(DllEntry::kGetWriteTimeEx);
  return p ? As<TimeProc>(p)(archive, &time) : FALSE;
}

BOOL TCustomArchiverDll::GetCreateTimeEx(HARC archive, FILETIME& time) {
  FARPROC p = Entry(DllEntry::kGetCreateTimeEx);
  return p ? As<TimeProc>(p)(archive, &time) : FALSE;
}

BOOL TCustomArchiverDll::GetAccessTimeEx(HARC archive, FILETIME& time) {
  FARPROC p = Entry(DllEntry::kGetAccessTimeEx);
  return p ? As<TimeProc>(p)(archive, &time) : FALSE;
}

int TCustomArchiverDll::GetArchiveType(const std::string& file) {
  FARPROC p = Entry(DllEntry::kGetArchiveType);
  return p ? As<TypeProc>(p)(file.c_str()) : 0;
}

BOOL TCustomArchiverDll::SetEnumMembersProc64(void* procedure, DWORD record_size) {
  FARPROC p = Entry(DllEntry::kSetEnumMembersProc64);
  return p ? As<SetEnumProc>(p)(procedure, record_size) : FALSE;
}

BOOL TCustomArchiverDll::ClearEnumMembersProc64() {
  FARPROC p = Entry(DllEntry::kClearEnumMembersProc64);
  return p ? As<ClearEnumProc>(p)() : FALSE;
}

void TCustomArchiverDll::CompleteRecord(HARC archive, TArchiveMemberInfo& info) {
  CompleteMemberTimes(
      info,
      [&](MemberTime which, TFileTime& out) {
        FILETIME ft{};
        BOOL ok = FALSE;
        switch (which) {
          case MemberTime::kLastWrite: ok = GetWriteTimeEx(archive, ft); break;
          case MemberTime::kLastAccess: ok = GetAccessTimeEx(archive, ft); break;
          case MemberTime::kCreation: ok = GetCreateTimeEx(archive, ft); break;
        }
        if (ok) out = {ft.dwLowDateTime, ft.dwHighDateTime};
        return ok != FALSE;
      },
      LocalTimeOffset());
}

// ---- TArchiverDll

TArchiverDll::TArchiverDll(std::u16string display_name, std::string prefix, std::u16string file_name)
    : display_name_(std::move(display_name)), prefix_(std::move(prefix)), file_name_(std::move(file_name)) {}

TArchiverDll::~TArchiverDll() { TArchiverDll::ForgetEntries(); }

void TArchiverDll::LoadDll() {
  if (!module_) module_ = LoadLibraryA(TextToAnsi(file_name_).c_str());
  if (!module_) throw ENoArchiverDLL(display_name_, file_name_);
}

void TArchiverDll::ForgetEntries() {
  TCustomArchiverDll::ForgetEntries();
  if (module_) FreeLibrary(module_);
  module_ = nullptr;
}

FARPROC TArchiverDll::Lookup(std::string_view suffix) {
  return GetProcAddress(module_, (prefix_ + std::string(suffix)).c_str());
}

void TArchiverDll::MissingEntry(std::string_view suffix) {
  throw EEntryNotFound::InModule(ModulePath(module_), AnsiToText(prefix_ + std::string(suffix)));
}

FARPROC TArchiverDll::Resolve(DllEntry entry) {
  const DllEntryInfo& info = kDllEntries[static_cast<size_t>(entry)];
  FARPROC p = Lookup(info.suffix);
  if (!p && info.required) MissingEntry(info.suffix);
  return p;
}

// ---- TZipDll

TZipDll::~TZipDll() { TZipDll::ForgetEntries(); }

void TZipDll::LoadDll() {
  for (ZipLibrary library : {kUnzip32, kZip32j, kLmzip32})
    if (!modules_[library]) modules_[library] = LoadLibraryW(ToWide(kZipLibraryFiles[library]).c_str());
}

void TZipDll::ForgetEntries() {
  TCustomArchiverDll::ForgetEntries();
  pack_command_ = nullptr;
  for (HMODULE& m : modules_) {
    if (m) FreeLibrary(m);
    m = nullptr;
  }
}

FARPROC TZipDll::ResolveZip(ZipEntry entry) {
  const ZipEntryInfo& info = ZipEntryOf(entry);
  for (ZipLibrary library : info.libraries) {
    if (!modules_[library]) continue;
    if (FARPROC p = GetProcAddress(modules_[library], ZipEntryNameIn(library, info.name).c_str())) return p;
  }
  if (!info.required) return nullptr;
  if (info.general_message)
    throw EEntryNotFound::InModule(ModulePath(modules_[info.libraries.front()]), AnsiToText(info.name));
  throw EEntryNotFound::InZipDlls(AnsiToText(info.name));
}

FARPROC TZipDll::Resolve(DllEntry entry) {
  switch (entry) {
    case DllEntry::kCommand: return ResolveZip(ZipEntry::kUnpackCommand);
    case DllEntry::kOpenArchive: return ResolveZip(ZipEntry::kOpenArchive);
    case DllEntry::kCloseArchive: return ResolveZip(ZipEntry::kCloseArchive);
    case DllEntry::kFindFirst: return ResolveZip(ZipEntry::kFindFirst);
    case DllEntry::kFindNext: return ResolveZip(ZipEntry::kFindNext);
    case DllEntry::kExtractMem: return ResolveZip(ZipEntry::kExtractMem);
    case DllEntry::kCheckArchive: return ResolveZip(ZipEntry::kCheckArchive);
    case DllEntry::kSetOwnerWindowEx: return ResolveZip(ZipEntry::kSetOwnerWindowEx);
    case DllEntry::kKillOwnerWindowEx: return ResolveZip(ZipEntry::kKillOwnerWindowEx);
    case DllEntry::kGetWriteTimeEx: return ResolveZip(ZipEntry::kGetWriteTimeEx);
    case DllEntry::kGetCreateTimeEx: return ResolveZip(ZipEntry::kGetCreateTimeEx);
    case DllEntry::kGetAccessTimeEx: return ResolveZip(ZipEntry::kGetAccessTimeEx);
    // No type query and no member enumeration here: those answer 0.
    case DllEntry::kGetArchiveType:
    case DllEntry::kSetEnumMembersProc64:
    case DllEntry::kClearEnumMembersProc64: return nullptr;
  }
  return nullptr;
}

int TZipDll::SecondCommand(HWND window, const std::string&, const std::string& line, char* output, DWORD size) {
  if (!pack_command_) pack_command_ = ResolveZip(ZipEntry::kPackCommand);
  return As<CommandProc>(pack_command_)(window, line.c_str(), size ? output : nullptr, size);
}

// ---- TYZ1Dll

TYZ1Dll::TYZ1Dll(std::u16string file_name) : TArchiverDll(u"YZ1 形式書庫", "Yz1", std::move(file_name)) {}

HARC TYZ1Dll::OpenArchive(HWND window, const std::string& file, DWORD mode) {
  owner_ = window;
  return TArchiverDll::OpenArchive(window, file, mode);
}

int TYZ1Dll::FindFirst(HARC archive, const std::string& wildcard, TArchiveMemberInfo& info) {
  char password[kYz1PasswordBufferSize] = {};
  return Yz1FindFirst({
      [&] { return TArchiverDll::FindFirst(archive, wildcard, info); },
      [&] {
        LoadDll();
        FARPROC p = Lookup(kYz1PasswordDialog);
        return p ? As<PasswordDialogProc>(p)(owner_, password, sizeof password) : 0;
      },
      [&] {
        LoadDll();
        if (FARPROC p = Lookup(kYz1SetDefaultPassword)) As<SetPasswordProc>(p)(archive, password);
      },
  });
}

}  // namespace zk
