// Stand-in for the outside console converter. Started as
//   xdoc2txt "<document>"
// it writes the document's text to standard output in the system ANSI code
// page (CRLF line ends) and ends. Office ZIP containers and RTF are turned
// into text; any other file is copied through unchanged. The test requests
// made by the file name are listed in xdoc2txt_standin.h.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "../xdoc2txt_standin.h"
#include "markup_text.h"
#include "zip_reader.h"

namespace xdoc {
namespace {

constexpr size_t kMaxDocument = size_t{256} << 20;  // larger containers are not read
constexpr size_t kMaxInflated = size_t{64} << 20;   // all members of one document together

class File {
 public:
  explicit File(const std::wstring& path)
      : h_(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_FLAG_SEQUENTIAL_SCAN, nullptr)) {}
  ~File() {
    if (ok()) CloseHandle(h_);
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  bool ok() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

bool WriteAll(DWORD which, std::string_view bytes) {
  HANDLE h = GetStdHandle(which);
  while (!bytes.empty()) {
    DWORD done = 0;
    DWORD n = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1 << 20));
    if (!WriteFile(h, bytes.data(), n, &done, nullptr) || done == 0) return false;
    bytes.remove_prefix(done);
  }
  return true;
}
bool Out(std::string_view bytes) { return WriteAll(STD_OUTPUT_HANDLE, bytes); }
bool Err(std::string_view bytes) { return WriteAll(STD_ERROR_HANDLE, bytes); }

std::string ToAnsi(const std::wstring& w) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring Lower(std::wstring s) {
  if (!s.empty()) CharLowerBuffW(s.data(), static_cast<DWORD>(s.size()));
  return s;
}

std::wstring FileNameOf(const std::wstring& path) {
  size_t slash = path.find_last_of(L"\\/:");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring ExtensionOf(const std::wstring& name) {
  size_t dot = name.find_last_of(L'.');
  return dot == std::wstring::npos ? std::wstring() : name.substr(dot + 1);
}

bool IsZipDocument(const std::wstring& ext) {
  static const wchar_t* const kZip[] = {L"docx", L"docm", L"dotx", L"dotm", L"xlsx", L"xlsm", L"pptx", L"pptm",
                                        L"odt",  L"ods",  L"odp",  L"odg",  L"sxw",  L"sxc",  L"sxi",  L"sxd"};
  return std::find(std::begin(kZip), std::end(kZip), ext) != std::end(kZip);
}

bool ReadWhole(HANDLE f, std::string& out) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(f, &size) || size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > kMaxDocument)
    return false;
  out.resize(static_cast<size_t>(size.QuadPart));
  size_t got = 0;
  while (got < out.size()) {
    DWORD n = 0;
    if (!ReadFile(f, out.data() + got, static_cast<DWORD>(std::min<size_t>(out.size() - got, 1 << 20)), &n, nullptr) ||
        n == 0)
      break;
    got += n;
  }
  out.resize(got);
  return true;
}

void CopyThrough(HANDLE f) {
  char buf[65536];
  DWORD n = 0;
  while (ReadFile(f, buf, sizeof(buf), &n, nullptr) && n > 0)
    if (!Out(std::string_view(buf, n))) return;
}

// "ppt/slides/slide<N>.xml" in the order of N.
std::vector<const ZipEntry*> SlidesInOrder(const ZipReader& zip) {
  constexpr std::string_view kPrefix = "ppt/slides/slide", kSuffix = ".xml";
  std::vector<std::pair<unsigned long, const ZipEntry*>> found;
  for (const auto& e : zip.entries()) {
    std::string_view name = e.name;
    if (name.size() <= kPrefix.size() + kSuffix.size() || name.substr(0, kPrefix.size()) != kPrefix ||
        name.substr(name.size() - kSuffix.size()) != kSuffix)
      continue;
    std::string_view digits = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    if (digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string_view::npos) continue;
    found.emplace_back(std::stoul(std::string(digits)), &e);
  }
  std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<const ZipEntry*> out;
  for (const auto& f : found) out.push_back(f.second);
  return out;
}

std::wstring ZipDocumentText(std::string_view data) {
  ZipReader zip(data);
  std::vector<const ZipEntry*> parts;
  for (std::string_view name : {"word/document.xml", "xl/sharedStrings.xml", "content.xml"}) {
    if (const ZipEntry* e = zip.Find(name)) {
      parts.push_back(e);
      break;
    }
  }
  if (parts.empty()) parts = SlidesInOrder(zip);
  std::wstring text;
  size_t budget = kMaxInflated;
  for (const ZipEntry* part : parts) {
    std::string xml = zip.Read(*part, budget);
    budget -= xml.size();
    text += XmlToText(xml);
    if (budget == 0) break;
  }
  return text;
}

// False when the document cannot be opened.
bool PrintDocument(const std::wstring& path) {
  File f(path);
  if (!f.ok()) {
    Err("xdoc2txt: cannot open " + ToAnsi(path) + "\r\n");
    return false;
  }
  std::wstring ext = Lower(ExtensionOf(FileNameOf(path)));
  bool zip = IsZipDocument(ext);
  if (!zip && ext != L"rtf") {
    CopyThrough(f.get());
    return true;
  }
  std::string data;
  if (!ReadWhole(f.get(), data)) return true;  // too large to be a document we read: nothing to print
  Out(ToAnsi(zip ? ZipDocumentText(data) : RtfToText(data)));
  return true;
}

void PrintLarge() {
  constexpr std::string_view kFill = "abcdefghijklmnopqrstuvwxyz";
  std::string chunk;
  for (int n = 1; n <= kLargeLineCount; ++n) {
    char head[16];
    std::snprintf(head, sizeof(head), "line %05d ", n);
    std::string line = head;
    while (line.size() < static_cast<size_t>(kLargeLineWidth)) line += kFill[line.size() % kFill.size()];
    chunk += line + "\r\n";
    if (chunk.size() >= 4096) {
      if (!Out(chunk)) return;
      chunk.clear();
    }
  }
  chunk += std::string(kLargeEndLine) + "\r\n";
  Out(chunk);
}

}  // namespace
}  // namespace xdoc

int wmain(int argc, wchar_t** argv) {
  using namespace xdoc;
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  if (argc != 2) {
    Err("usage: xdoc2txt \"document\"\r\n");
    return 1;
  }
  std::wstring path = argv[1];
  std::wstring name = Lower(FileNameOf(path));
  auto asks = [&](const wchar_t* request) { return name.find(request) != std::wstring::npos; };
  if (asks(L"silent")) return 0;

  int rc = 0;
  if (asks(L"large")) PrintLarge();
  else if (!PrintDocument(path)) rc = 1;
  if (asks(L"stderr")) Err(std::string(kStderrWarning) + "\r\n");
  if (asks(L"late")) {
    Sleep(300);
    Out(std::string(kLateLine) + "\r\n");
  }
  return rc;
}
