#include "app/model/dispatch.h"

#include <array>

#include "base/string_list.h"
#include "base/paths.h"
#include "base/text.h"

namespace zk {
namespace {

// Shortcuts may point at each other or at themselves; past this many nested
// redirects (shortcut targets and cache files) the file is taken as it is.
constexpr int kMaxRedirects = 8;

constexpr std::array<std::u16string_view, 38> kConverterExtensions = {
    u".sxw", u".sxc", u".sxi", u".sxd", u".odt", u".ods", u".odp", u".odg", u".docx", u".docm",
    u".xlsx", u".xlsm", u".pptx", u".pptm", u".doc", u".xls", u".ppt", u".rtf", u".jaw", u".jtw",
    u".jbw", u".juw", u".jfw", u".jvw", u".jtd", u".jtt", u".oas", u".oa2", u".oa3", u".bun",
    u".wj2", u".wj3", u".wk3", u".wk4", u".123", u".wri", u".pdf", u".eml"};

// Ends every dispatch that got past the cache redirect the same way: normal
// cursor back and the elapsed time recorded, exceptions included.
class DispatchScope {
 public:
  explicit DispatchScope(DispatchHost& host) : host_(host), start_(host.TickCount()) {
    host_.SetLastReadTime(0);
  }
  ~DispatchScope() {
    if (busy_) host_.SetBusyCursor(false);
    host_.SetLastReadTime(static_cast<int32_t>(host_.TickCount() - start_));
  }
  void Busy() {
    host_.SetBusyCursor(true);
    busy_ = true;
  }
  DispatchScope(const DispatchScope&) = delete;
  DispatchScope& operator=(const DispatchScope&) = delete;

 private:
  DispatchHost& host_;
  uint32_t start_;
  bool busy_ = false;
};

// An archive the archiver DLLs reject is no reason to stop: the file goes on to
// the outline, picture and text views.
bool TryListArchive(DispatchHost& host, const std::u16string& path) {
  try {
    return host.ListArchive(path);
  } catch (...) {
    return false;
  }
}

void Dispatch(const std::u16string& path, bool from_archive_list, const DispatchSettings& s,
              DispatchHost& host, int depth) {
  const bool may_redirect = depth < kMaxRedirects;

  // 1. A cache picture stands in for the file.
  if (may_redirect && !path.empty()) {
    std::u16string cache = CacheFileName(path, s.CacheFolder, host);
    if (!cache.empty() && host.FileExists(cache)) {
      Dispatch(cache, false, s, host, depth + 1);
      return;
    }
  }

  DispatchScope scope(host);
  if (path.empty()) return;

  const std::u16string ext = ExtractFileExt(path);

  if (s.LinkView && EqualsIgnoreCase(ext, u".lnk")) {
    std::u16string target = host.ResolveShortcut(path);
    // An unreadable shortcut resolves to itself; such a one, and a chain too
    // long, is shown as the file it is.
    if (may_redirect && !EqualsIgnoreCase(target, path)) {
      Dispatch(target, false, s, host, depth + 1);
      return;
    }
  }
  if (s.LinkView && EqualsIgnoreCase(ext, u".ArcLink")) {
    // The link's picture replaces whatever archive was browsed: a list left
    // behind would bring that archive back on Enter or a Ctrl+arrow.
    host.ClearArchiveList();
    host.OpenArcLink(path);
    return;
  }

  if (!from_archive_list) host.ClearArchiveList();
  scope.Busy();

  if (host.FolderExists(path)) {
    host.ActivateImagePage();
    host.ShowBinaryView(path, false);
    host.SetStatus(u"Directry");
    return;
  }
  if (!host.FileExists(path)) return;

  const int64_t size = host.FileSizeOf(path);
  const bool size_over = s.MaxReadByte != 0 && size > s.MaxReadByte;
  if (size_over || size == 0) {
    host.ShowBinaryView(path, size_over);
    if (size == 0 && host.FileExists(path)) host.SetStatus(u"Zero File");
    return;
  }
  if (s.IsBinary && ListContainsIgnoreCase(*s.IsBinary, ext)) {
    host.ShowBinaryView(path, false);
    return;
  }
  if (s.ShowID3Tag && EqualsIgnoreCase(ext, u".mp3") && host.ShowMp3Summary(path)) return;
  if (!s.ConverterPath.empty() && IsConverterExtension(ext) && host.FileExists(s.ConverterPath) &&
      host.ShowConvertedDocument(path))
    return;
  if (s.LinkView && s.ArcView && !from_archive_list && TryListArchive(host, path)) return;
  if (EqualsIgnoreCase(ext, u".nna") && host.ShowOutlineDocument(path)) return;
  if (host.ShowPicture(path)) return;
  host.ShowTextFile(path);
}

}  // namespace

bool IsConverterExtension(std::u16string_view ext) {
  for (auto e : kConverterExtensions)
    if (EqualsIgnoreCase(e, ext)) return true;
  return false;
}

std::u16string CacheFileName(const std::u16string& path, const std::u16string& cache_folder,
                             DispatchHost& host) {
  std::u16string beside = path + u".Cache";
  if (host.FileExists(beside) || cache_folder.empty()) return beside;
  return IncludeTrailingDelimiter(cache_folder) + ExtractFileName(path) + u".Cache";
}

void DispatchFile(const std::u16string& path, bool from_archive_list, const DispatchSettings& settings,
                  DispatchHost& host) {
  Dispatch(path, from_archive_list, settings, host, 0);
}

}  // namespace zk
