// A stand-in archiver DLL over libarchive, built once per DLL name with that
// DLL's entry prefix. It lists members in the common member record, extracts
// into a destination folder or into memory, and never writes outside the
// destination: members are reduced to their plain relative path parts, and
// names a path cannot hold safely are refused.
#include <windows.h>

#include <archive.h>
#include <archive_entry.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "archive/member_record.h"

#define STANDIN_CAT2(a, b) a##b
#define STANDIN_CAT(a, b) STANDIN_CAT2(a, b)
#define ENTRY(suffix) STANDIN_CAT(STANDIN_PREFIX, suffix)
#define EXPORT extern "C" __declspec(dllexport)

namespace {

constexpr int kErrorNotArchive = 0x8015;
constexpr int kErrorCannotRead = 0x8017;
constexpr int kErrorNoMember = 0x8005;
constexpr int kErrorWrite = 0x8019;

// The formats this DLL name reads; BGA and YZ1 have no reader of their own
// and serve ZIP instead.
void SupportFormats(archive* a) {
  archive_read_support_filter_all(a);
#if defined(STANDIN_LHA)
  archive_read_support_format_lha(a);
#elif defined(STANDIN_CAB)
  archive_read_support_format_cab(a);
#elif defined(STANDIN_TAR)
  archive_read_support_format_tar(a);
  archive_read_support_format_gnutar(a);
#elif defined(STANDIN_RAR)
  archive_read_support_format_rar(a);
  archive_read_support_format_rar5(a);
#elif defined(STANDIN_7Z)
  archive_read_support_format_7zip(a);
#else
  archive_read_support_format_zip(a);
#endif
}

archive* OpenReader(const std::string& file) {
  archive* a = archive_read_new();
  SupportFormats(a);
  if (archive_read_open_filename(a, file.c_str(), 16384) != ARCHIVE_OK) {
    archive_read_free(a);
    return nullptr;
  }
  return a;
}

bool WildcardMatch(const char* pattern, const char* text) {
  if (*pattern == 0) return *text == 0;
  if (*pattern == '*') return WildcardMatch(pattern + 1, text) || (*text && WildcardMatch(pattern, text + 1));
  if (*text == 0) return false;
  if (*pattern != '?' && CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<unsigned char>(*pattern)))) !=
                             CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<unsigned char>(*text)))))
    return false;
  return WildcardMatch(pattern + 1, text + 1);
}

bool MatchesAll(const std::string& pattern) { return pattern.empty() || pattern == "*" || pattern == "*.*"; }

// The entry's name in the ANSI code page, as the real archivers deliver it:
// names stored as Unicode (7z, ZIP with the UTF-8 flag) are converted too.
std::string AnsiName(archive_entry* entry) {
  if (const wchar_t* wide = archive_entry_pathname_w(entry)) {
    const int n = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (n > 1) {
      std::string name(static_cast<size_t>(n - 1), '\0');
      WideCharToMultiByte(CP_ACP, 0, wide, -1, name.data(), n, nullptr, nullptr);
      return name;
    }
  }
  const char* raw = archive_entry_pathname(entry);
  return raw ? raw : "";
}

std::string Slashes(std::string s) {
  for (char& c : s)
    if (c == '/') c = '\\';
  return s;
}

bool ReservedDeviceName(std::string part) {
  part = part.substr(0, part.find('.'));
  while (!part.empty() && part.back() == ' ') part.pop_back();
  for (char& c : part) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  static const char* const kNames[] = {"CON", "PRN", "AUX", "NUL"};
  for (const char* n : kNames)
    if (part == n) return true;
  return part.size() == 4 && (part.rfind("COM", 0) == 0 || part.rfind("LPT", 0) == 0) && part[3] >= '0' && part[3] <= '9';
}

// A member's path as it may be written under the destination: drive letters,
// leading separators, "." and ".." parts dropped; empty when nothing safe is left
// or a part names a device.
std::string SafeRelativePath(const std::string& member, bool flatten) {
  std::string path = Slashes(member);
  if (path.size() >= 2 && path[1] == ':') path = path.substr(2);
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    std::string part = path.substr(start, end - start);
    if (!part.empty() && part != "." && part != "..") {
      if (ReservedDeviceName(part) || part.find(':') != std::string::npos) return {};
      parts.push_back(part);
    }
    start = end + 1;
  }
  if (parts.empty()) return {};
  if (flatten) return parts.back();
  std::string out;
  for (const auto& p : parts) out += (out.empty() ? "" : "\\") + p;
  return out.size() < MAX_PATH ? out : std::string();
}

struct OpenedArchive {
  std::string file;
  std::string pattern;
  archive* reader = nullptr;
  bool has_time = false;
  FILETIME write_time{}, access_time{}, create_time{};
  bool has_access = false, has_create = false;
};

FILETIME ToFileTime(time_t seconds, long nanos) {
  ULONGLONG ticks = (static_cast<ULONGLONG>(seconds) + 11644473600ULL) * 10000000ULL + nanos / 100;
  return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

void FillRecord(OpenedArchive& arc, archive_entry* entry, zk::TArchiveMemberInfo* info) {
  memset(info, 0, offsetof(zk::TArchiveMemberInfo, ftLastWriteTime));
  la_int64_t size = archive_entry_size(entry);
  info->dwOriginalSize = size < 0 ? 0 : static_cast<uint32_t>(size);
  info->dwCompressedSize = info->dwOriginalSize;
  std::string name = Slashes(AnsiName(entry));
  strncpy(info->szFileName, name.c_str(), sizeof info->szFileName - 1);
  strncpy(info->szAttribute, archive_entry_filetype(entry) == AE_IFDIR ? "d---" : "-a--", sizeof info->szAttribute - 1);
  strncpy(info->szMode, "-st-", sizeof info->szMode - 1);
  arc.has_time = archive_entry_mtime_is_set(entry);
  arc.has_access = archive_entry_atime_is_set(entry);
  arc.has_create = archive_entry_birthtime_is_set(entry);
  if (arc.has_time) {
    arc.write_time = ToFileTime(archive_entry_mtime(entry), archive_entry_mtime_nsec(entry));
    FILETIME local;
    WORD date = 0, time = 0;
    if (FileTimeToLocalFileTime(&arc.write_time, &local) && FileTimeToDosDateTime(&local, &date, &time)) {
      info->wDate = date;
      info->wTime = time;
    }
  }
  if (arc.has_access) arc.access_time = ToFileTime(archive_entry_atime(entry), archive_entry_atime_nsec(entry));
  if (arc.has_create) arc.create_time = ToFileTime(archive_entry_birthtime(entry), archive_entry_birthtime_nsec(entry));
}

int NextMatching(OpenedArchive& arc, zk::TArchiveMemberInfo* info) {
  if (!arc.reader) return -1;
  archive_entry* entry;
  for (;;) {
    int r = archive_read_next_header(arc.reader, &entry);
    if (r == ARCHIVE_EOF) return -1;
    if (r != ARCHIVE_OK && r != ARCHIVE_WARN) return kErrorCannotRead;
    std::string path = Slashes(AnsiName(entry));
    if (MatchesAll(arc.pattern) || WildcardMatch(Slashes(arc.pattern).c_str(), path.c_str())) {
      if (info) FillRecord(arc, entry, info);
      return 0;
    }
  }
}

// The command line split into its words, quotation marks removed.
std::vector<std::string> SplitWords(const char* line) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, any = false;
  for (const char* p = line; *p; ++p) {
    if (*p == '"') {
      quoted = !quoted;
      any = true;
    } else if ((*p == ' ' || *p == '\t') && !quoted) {
      if (any) words.push_back(word);
      word.clear();
      any = false;
    } else {
      word += *p;
      any = true;
    }
  }
  if (any) words.push_back(word);
  return words;
}

// Names listed one a line in a response file, each in quotation marks or bare.
bool ReadResponseFile(const std::string& file, std::vector<std::string>& names) {
  FILE* f = fopen(file.c_str(), "rb");
  if (!f) return false;
  std::string text;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  fclose(f);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    for (auto& w : SplitWords(text.substr(start, end - start).c_str()))
      if (!w.empty() && w != "\r") names.push_back(w[w.size() - 1] == '\r' ? w.substr(0, w.size() - 1) : w);
    start = end + 1;
  }
  return true;
}

struct Command {
  std::string word;  // empty for a memory extraction
  std::string archive;
  std::string folder;
  std::vector<std::string> members;
  bool flatten = false;
  bool bad = false;
};

Command ParseCommand(const char* line) {
  Command c;
  if (!line) {
    c.bad = true;
    return c;
  }
  std::vector<std::string> words = SplitWords(line);
  size_t i = 0;
  if (line[0] != ' ' && !words.empty()) c.word = words[i++];
  if (c.word == "e" || c.word == "-e") c.flatten = true;
  std::vector<std::string> plain;
  for (; i < words.size(); ++i) {
    const std::string& w = words[i];
    if (w == "-f" && i + 1 < words.size()) {
      c.archive = words[++i];
    } else if (w == "-o" && i + 1 < words.size()) {
      c.folder = words[++i];
#if defined(STANDIN_7Z)
    } else if (w.rfind("-o", 0) == 0) {
      c.folder = w.substr(2);
#endif
    } else if (w == "-j" || w == "-x0" || w == "--use-directory=0") {
      c.flatten = true;
    } else if (w.rfind("-", 0) == 0) {
      // Switches that do not change what lands where.
    } else if (w.rfind("@", 0) == 0) {
      if (!ReadResponseFile(w.substr(1), c.members)) c.bad = true;
    } else {
      plain.push_back(w);
    }
  }
  size_t p = 0;
  if (c.archive.empty() && p < plain.size()) c.archive = plain[p++];
  // A destination ends in a separator; the rest are members.
  if (!c.word.empty() && c.folder.empty() && p < plain.size() && !plain[p].empty() && plain[p].back() == '\\')
    c.folder = plain[p++];
  for (; p < plain.size(); ++p) c.members.push_back(plain[p]);
  if (c.archive.empty()) c.bad = true;
  return c;
}

bool Wanted(const Command& c, const std::string& member) {
  if (c.members.empty()) return true;
  for (const auto& m : c.members)
    if (WildcardMatch(Slashes(m).c_str(), member.c_str())) return true;
  return false;
}

void Report(char* out, DWORD size, const std::string& text) {
  if (!out || size == 0) return;
  size_t n = text.size() < size - 1 ? text.size() : size - 1;
  memcpy(out, text.data(), n);
  out[n] = 0;
}

// The window given by SetOwnerWindowEx, told of each member as it is written.
HWND g_owner = nullptr;

// true when the owner asks to stop.
bool Notify(const std::string& source, const std::string& dest) {
  if (!g_owner) return false;
  zk::TExtractingInfo info{};
  strncpy(info.szSourceFileName, source.c_str(), sizeof info.szSourceFileName - 1);
  strncpy(info.szDestFileName, dest.c_str(), sizeof info.szDestFileName - 1);
  return SendMessageA(g_owner, RegisterWindowMessageA("wm_arcextract"), 1, reinterpret_cast<LPARAM>(&info)) == 1;
}

bool WriteMember(archive* a, const std::string& target) {
  // Folders on the way, each under the destination.
  for (size_t pos = target.find('\\', 3); pos != std::string::npos; pos = target.find('\\', pos + 1))
    CreateDirectoryA(target.substr(0, pos).c_str(), nullptr);
  HANDLE h = CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  char buf[16384];
  la_ssize_t n;
  while ((n = archive_read_data(a, buf, sizeof buf)) > 0) {
    DWORD written;
    if (!WriteFile(h, buf, static_cast<DWORD>(n), &written, nullptr) || written != static_cast<DWORD>(n)) {
      ok = false;
      break;
    }
  }
  if (n < 0) ok = false;
  CloseHandle(h);
  if (!ok) DeleteFileA(target.c_str());
  return ok;
}

}  // namespace

EXPORT int WINAPI STANDIN_PREFIX(HWND, LPCSTR line, LPSTR output, DWORD size) {
  Command c = ParseCommand(line);
  if (c.bad || c.folder.empty() || (c.word != "x" && c.word != "e" && c.word != "-x" && c.word != "-e")) {
    Report(output, size, "standin: command not understood");
    return kErrorNotArchive;
  }
  std::string folder = Slashes(c.folder);
  if (folder.back() != '\\') folder += '\\';
  archive* a = OpenReader(c.archive);
  if (!a) {
    Report(output, size, "standin: cannot open archive");
    return kErrorNotArchive;
  }
  std::string log;
  int result = 0;
  archive_entry* entry;
  for (;;) {
    int r = archive_read_next_header(a, &entry);
    if (r == ARCHIVE_EOF) break;
    if (r != ARCHIVE_OK && r != ARCHIVE_WARN) {
      result = kErrorCannotRead;
      break;
    }
    std::string name = Slashes(AnsiName(entry));
    if (archive_entry_filetype(entry) != AE_IFREG || !Wanted(c, name)) continue;
    std::string relative = SafeRelativePath(name, c.flatten);
    if (relative.empty()) {
      log += "refused: " + name + "\r\n";
      continue;
    }
    if (Notify(name, folder + relative)) break;
    if (!WriteMember(a, folder + relative)) {
      result = kErrorWrite;
      log += "failed: " + name + "\r\n";
    } else {
      log += "extracted: " + relative + "\r\n";
    }
  }
  archive_read_free(a);
  Report(output, size, log);
  return result;
}

EXPORT HANDLE WINAPI ENTRY(OpenArchive)(HWND, LPCSTR file, DWORD mode) {
  if (!file) return nullptr;
  archive* a = OpenReader(file);
  if (!a) return nullptr;
  archive_read_free(a);
  auto* arc = new OpenedArchive;
  arc->file = file;
  return arc;
}

EXPORT int WINAPI ENTRY(CloseArchive)(HANDLE handle) {
  auto* arc = static_cast<OpenedArchive*>(handle);
  if (!arc) return -1;
  if (arc->reader) archive_read_free(arc->reader);
  delete arc;
  return 0;
}

EXPORT int WINAPI ENTRY(FindFirst)(HANDLE handle, LPCSTR wildcard, zk::TArchiveMemberInfo* info) {
  auto* arc = static_cast<OpenedArchive*>(handle);
  if (!arc) return -1;
  if (arc->reader) archive_read_free(arc->reader);
  arc->reader = OpenReader(arc->file);
  arc->pattern = wildcard ? wildcard : "";
  return NextMatching(*arc, info);
}

EXPORT int WINAPI ENTRY(FindNext)(HANDLE handle, zk::TArchiveMemberInfo* info) {
  auto* arc = static_cast<OpenedArchive*>(handle);
  return arc ? NextMatching(*arc, info) : -1;
}

EXPORT BOOL WINAPI ENTRY(CheckArchive)(LPCSTR file, int mode) {
  if (!file) return FALSE;
  archive* a = OpenReader(file);
  if (!a) return FALSE;
  archive_entry* entry;
  int r = archive_read_next_header(a, &entry);
  archive_read_free(a);
  return r == ARCHIVE_OK || r == ARCHIVE_WARN || r == ARCHIVE_EOF;
}

// TAR32's codes: 1 plain TAR, 2 gzip-compressed TAR, 4 bzip2-compressed TAR;
// -1 for anything unreadable.
EXPORT int WINAPI ENTRY(GetArchiveType)(LPCSTR file) {
  if (!file) return -1;
  archive* a = OpenReader(file);
  if (!a) return -1;
  archive_entry* entry;
  int type = -1;
  if (archive_read_next_header(a, &entry) == ARCHIVE_OK) {
    switch (archive_filter_code(a, 0)) {
      case ARCHIVE_FILTER_GZIP: type = 2; break;
      case ARCHIVE_FILTER_BZIP2: type = 4; break;
      default: type = 1; break;
    }
  }
  archive_read_free(a);
  return type;
}

EXPORT int WINAPI ENTRY(ExtractMem)(HWND, LPCSTR line, LPBYTE buffer, DWORD size, void*, LPWORD, LPDWORD written) {
  if (written) *written = 0;
  Command c = ParseCommand(line);
  if (c.bad || c.members.size() != 1 || (!buffer && size > 0)) return kErrorNoMember;
  archive* a = OpenReader(c.archive);
  if (!a) return kErrorNotArchive;
  int result = kErrorNoMember;
  archive_entry* entry;
  while (archive_read_next_header(a, &entry) == ARCHIVE_OK) {
    if (Slashes(AnsiName(entry)) != Slashes(c.members[0])) continue;
    DWORD total = 0;
    result = 0;
    while (total < size) {
      la_ssize_t n = archive_read_data(a, buffer + total, size - total);
      if (n < 0) result = kErrorCannotRead;
      if (n <= 0) break;
      total += static_cast<DWORD>(n);
    }
    if (written) *written = total;
    break;
  }
  archive_read_free(a);
  return result;
}

static BOOL Times(HANDLE handle, FILETIME* out, int which) {
  auto* arc = static_cast<OpenedArchive*>(handle);
  if (!arc || !out) return FALSE;
  bool has[] = {arc->has_time, arc->has_access, arc->has_create};
  FILETIME* times[] = {&arc->write_time, &arc->access_time, &arc->create_time};
  if (!has[which]) return FALSE;
  *out = *times[which];
  return TRUE;
}

EXPORT BOOL WINAPI ENTRY(GetWriteTimeEx)(HANDLE handle, FILETIME* out) { return Times(handle, out, 0); }
EXPORT BOOL WINAPI ENTRY(GetAccessTimeEx)(HANDLE handle, FILETIME* out) { return Times(handle, out, 1); }
EXPORT BOOL WINAPI ENTRY(GetCreateTimeEx)(HANDLE handle, FILETIME* out) { return Times(handle, out, 2); }
#if defined(STANDIN_UNZIP32)
// The ZIP library spells this one entry with a lower-case z.
EXPORT BOOL WINAPI UnzipGetWriteTimeEx(HANDLE handle, FILETIME* out) { return Times(handle, out, 0); }
#endif

EXPORT BOOL WINAPI ENTRY(SetOwnerWindowEx)(HWND window, void*) {
  g_owner = window;
  return window != nullptr;
}
EXPORT BOOL WINAPI ENTRY(KillOwnerWindowEx)(HWND window) {
  if (window != g_owner) return FALSE;
  g_owner = nullptr;
  return TRUE;
}

// The C++ runtime linked into this DLL takes a reserve for exceptions at
// load and keeps it when the DLL is unloaded; the viewer loads and unloads
// its archivers for every file it looks at, so the reserve is handed back
// here (not at process exit, when it does not matter).
namespace __gnu_cxx {
void __freeres() noexcept;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_DETACH && reserved == nullptr) __gnu_cxx::__freeres();
  return TRUE;
}
