#include "app/window/archive_browser.h"

#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "app/model/archive_browsing.h"
#include "app/window/archive_page.h"
#include "app/window/clipboard_text.h"
#include "archive/archive_file.h"
#include "archive/archiver_errors.h"
#include "archive/member_size.h"
#include "base/paths.h"
#include "base/text.h"
#include "base/win_files.h"
#include "base/win_text.h"
#include "desktop/file_operation.h"
#include "image/decoders/png_decoder.h"
#include "image/dib_section.h"
#include "image/image_control.h"
#include "image/picture_loader.h"
#include "image/webp_picture.h"
#include "text/outline_document.h"

namespace zk {
namespace {

constexpr char16_t kArchiveFileStatus[] = u"ArchiveFile";
constexpr wchar_t kFormatUnknown[] = L"書庫の形式を判別できません";
constexpr wchar_t kUnexpectedError[] = L"予期したかもしれないエラー";
constexpr char16_t kBrokenLink[] = u"★圧縮リンクがおかしい★";
constexpr char16_t kListingFailed[] = u"一覧の途中でエラー";
constexpr char16_t kExtractFailed[] = u"展開できませんでした";
constexpr int kFirstArchiverError = 0x8000;  // smaller results are warnings
constexpr int64_t kLargestLinkFile = 1 << 20;  // a link is three short lines

const WinAnsiCodec& Ansi() {
  static const WinAnsiCodec codec;
  return codec;
}

// Archiver libraries live for one operation: released on every way out of
// it, after the component that used them.
struct ArchiverDllsRelease {
  ArchiverDllsRelease() = default;
  ArchiverDllsRelease(const ArchiverDllsRelease&) = delete;
  ArchiverDllsRelease& operator=(const ArchiverDllsRelease&) = delete;
  ~ArchiverDllsRelease() { FreeArchiverDlls(); }
};

// The hourglass for the scope.
class BusyScope {
 public:
  explicit BusyScope(ArchiveBrowser::Host& host) : host_(host) { host_.SetBusyCursor(true); }
  ~BusyScope() { host_.SetBusyCursor(false); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  ArchiveBrowser::Host& host_;
};

std::u16string LocaleDate(const SYSTEMTIME& st) {
  wchar_t buf[80];
  const int n = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buf, 80);
  return n > 0 ? FromWide(std::wstring_view(buf, static_cast<size_t>(n - 1))) : std::u16string();
}

std::u16string LocaleTime(const SYSTEMTIME& st) {
  wchar_t buf[80];
  const int n = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, buf, 80);
  return n > 0 ? FromWide(std::wstring_view(buf, static_cast<size_t>(n - 1))) : std::u16string();
}

// A member's line. Several archivers write date 0 for members without a
// time: such a member gets empty date and time texts and stays browsable.
std::u16string MemberLine(const TArchiveFile& archive, const TArchiveMemberInfo& info) {
  std::u16string date, time;
  if (DosDateTimeToTicks(info.wDate, info.wTime)) {
    const DosDate d = SplitDosDate(info.wDate);
    const DosTime t = SplitDosTime(info.wTime);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(d.year);
    st.wMonth = static_cast<WORD>(d.month);
    st.wDay = static_cast<WORD>(d.day);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    date = LocaleDate(st);
    time = LocaleTime(st);
  }
  return ArchiveListLine(archive.MemberName(info), FormatMemberSize(int64_t{info.dwOriginalSize}),
                         date, time);
}

std::u16string JoinLines(const std::vector<std::u16string>& lines) {
  std::u16string text;
  for (const std::u16string& line : lines) text.append(line).append(u"\r\n");
  return text;
}

}  // namespace

std::u16string ArchiveBrowser::MemberArchivePath() const {
  return listed_archive_.empty() ? host_.Selection() : listed_archive_;
}

void ArchiveBrowser::ListCommand() {
  // The user asked for this list: every reason it cannot be had is told.
  try {
    List(true);
  } catch (const EArchiver& e) {
    host_.ShowWarning(ToWide(e.Message()));
  } catch (const EArchiverAssertion& e) {
    host_.ShowWarning(ToWide(e.Message()));
  } catch (const std::exception&) {
    host_.ShowWarning(kFormatUnknown);
  }
}

bool ArchiveBrowser::ListForDispatch(const std::u16string& path) {
  listed_archive_ = path;
  return List(false);
}

bool ArchiveBrowser::List(bool from_command) {
  const std::u16string& selection = host_.Selection();
  if (!::zk::FileExists(selection)) return false;
  const std::u16string path = from_command ? selection : listed_archive_;
  const Settings& settings = host_.BrowsingSettings();
  std::vector<std::u16string> lines;
  std::u16string failure;
  {
    ArchiverDllsRelease release;
    TArchiveFile archive;
    archive.AllowBuiltIn(settings.ArchiveBuiltIn);
    archive.SetFileName(path);  // a missing library or a format without driver ends here, the old lines kept
    page_.Clear();
    bool opened = false;
    try {
      opened = archive.OpenArchive(host_.OwnerWindow(), 0);
    } catch (const EArchiver&) {
      if (from_command) host_.ShowWarning(kFormatUnknown);
      return false;
    }
    if (!opened) return false;
    host_.SetArchiveCaption(archive.FileName());
    struct Closer {
      TArchiveFile& archive;
      ~Closer() {
        try {
          archive.CloseArchive();
        } catch (...) {
        }
      }
    } closer{archive};
    // An error part-way keeps the members read before it, and is told.
    TArchiveMemberInfo info{};
    int r = -1;
    try {
      for (r = archive.FindFirst("*.*", info); r == 0; r = archive.FindNext(info)) lines.push_back(MemberLine(archive, info));
    } catch (const std::exception&) {
    }
    if (r != -1) failure = ArchiverFailureStatus(kListingFailed, r, archive.OutputText());
  }
  page_.Fill(lines);
  if (page_.Count() == 0) return false;  // nothing to browse: the other views may take the file
  ShowList();
  if (!failure.empty()) host_.SetStatus(std::u16string(kArchiveFileStatus) + u"  " + failure);
  return true;
}

void ArchiveBrowser::ShowList() {
  host_.ShowListPage();
  host_.SetStatus(kArchiveFileStatus);
}

void ArchiveBrowser::Back() {
  if (page_.Count() == 0) return;
  ShowList();
  host_.SetMemberStatus(u"");
}

void ArchiveBrowser::OpenSelected() {
  if (page_.SelectedIndex() < 0 || !::zk::FileExists(host_.Selection())) return;
  page_.SetVisible(false);
  ShowMember(MemberArchivePath());
}

void ArchiveBrowser::ShowMember(const std::u16string& archive_path) {
  const HWND owner = host_.OwnerWindow();
  if (::zk::FolderExists(work_folder_)) EmptyFolder(owner, work_folder_);
  const std::u16string name = MemberNameOfLine(page_.SelectedLine());
  const std::u16string file = MemberViewFile(work_folder_, name);
  // A name reaching outside the work folder is not extracted at all.
  if (file.empty() || !IsPlainMemberPath(name) || work_folder_.empty()) {
    shown_member_.clear();
    Back();
    return;
  }
  const Settings& settings = host_.BrowsingSettings();
  int result = 0;
  std::u16string output;
  try {
    ArchiverDllsRelease release;
    TArchiveFile archive;
    archive.AllowBuiltIn(settings.ArchiveBuiltIn);
    archive.SetFileName(archive_path);
    TArchiverOptions& o = archive.Options();
    o.x = 0;  // without the member's folders
    o.n = 1;
    o.jse = 1;
    o.jso = 1;
    archive.SetOutputSize(8192);
    if (archive.BuiltIn()) {
      // Named in full: a name the ANSI code page cannot hold still opens.
      result = archive.ExtractBuiltIn(name, work_folder_, settings.MaxReadByte);
    } else {
      FileList files;
      if (ExtractsWholeArchive(name)) files.push_back(JoinLines(page_.Lines()));  // names no member
      else files.push_back(Ansi().Encode(name));
      result = archive.Extract(owner, nullptr, files, IncludeTrailingDelimiter(work_folder_));
    }
    output = archive.OutputText();
  } catch (const std::exception&) {
    // The archive or its library has gone since the list was made.
    shown_member_.clear();
    Back();
    return;
  }
  // A member the archiver refused (encrypted, or a name its code page cannot
  // hold) leaves the user on the list with that member selected, told why.
  if (result >= kFirstArchiverError || !::zk::FileExists(file)) {
    shown_member_.clear();
    Back();
    host_.SetStatus(ArchiverFailureStatus(kExtractFailed, result, output));
    return;
  }
  // Known as shown before it is dispatched, so that what the dispatch
  // settles (the commands' file facts) already sees it.
  shown_member_ = file;
  try {
    host_.ViewMemberFile(file);
    host_.SetMemberStatus(ExtractFileName(file));
  } catch (...) {
    shown_member_.clear();
  }
}

void ArchiveBrowser::Step(int tag) {
  const int i = StepMemberIndex(tag, page_.SelectedIndex(), page_.Count(), host_.BrowsingSettings().ArkWrap);
  if (i < 0) return;
  page_.Select(i);
  OpenSelected();
}

void ArchiveBrowser::Enter(bool list_on_view) {
  if (!list_on_view) Back();
  else OpenSelected();
}

void ArchiveBrowser::CopyList() {
  if (!SetClipboardText(host_.OwnerWindow(), JoinLines(page_.Lines())))
    host_.ShowWarning(L"クリップボードにコピーできませんでした");
}

void ArchiveBrowser::OpenLink(const std::u16string& path) {
  // The link's picture is no member of a listed archive.
  shown_member_.clear();
  listed_archive_.clear();
  const int64_t size = ::zk::FileSizeOf(path);
  if (size < 0 || size > kLargestLinkFile) return;
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return;
  const std::vector<std::u16string> lines = ReadTextLines(*bytes, Ansi());
  std::optional<ArcLink> link = ReadArcLink(lines);
  if (!link) return;
  if (!::zk::FileExists(link->archive)) {
    std::u16string target = link->archive;
    if (!host_.AskLinkTarget(path, target)) {
      host_.ShowLinkText(JoinLines(lines) + kBrokenLink);
      return;
    }
    link->archive = target;
  }
  try {
    const std::optional<uint32_t> member_size = ArcLinkSize(link->size_text);
    if (!member_size) throw std::invalid_argument("not a member size");
    ShowLinkImage(link->archive, link->member, *member_size);
  } catch (...) {
    host_.LinkImage().SetVisible(true);
    host_.ShowNotice(kUnexpectedError);
  }
}

void ArchiveBrowser::ShowLinkImage(const std::u16string& archive_path, const std::u16string& member, uint32_t size) {
  host_.ClearViews();
  const Settings& settings = host_.BrowsingSettings();
  ArchiverDllsRelease release;
  TArchiveFile archive;
  host_.SetStatus(u"Load Graphic");
  BusyScope busy(host_);
  archive.AllowBuiltIn(settings.ArchiveBuiltIn);
  archive.SetFileName(archive_path);
  archive.Options().jso = 1;
  archive.Options().n = 1;
  // A size no file of this viewer may have is not worth the memory.
  if (settings.MaxReadByte != 0 && size > settings.MaxReadByte) throw std::length_error("member over the read limit");
  host_.SetStatus(u"Output Memory");
  // The decoders get the whole buffer and ignore what follows the picture.
  std::vector<uint8_t> buffer(size_t{size} + 1024);
  DWORD written = 0;
  if (archive.BuiltIn()) {
    if (archive.ExtractMemBuiltIn(member, buffer.data(), size, written) != 0)
      throw EArchiver(archive.OutputText());
  } else {
    archive.ExtractMem(host_.OwnerWindow(), nullptr, Ansi().Encode(member), buffer.data(), size, written);
  }
  ImageControl& image = host_.LinkImage();
  const COLORREF background = host_.LinkImageBackground();
  const Rgb rgb{GetRValue(background), GetGValue(background), GetBValue(background)};
  auto report_size = [&] {
    const SIZE s = image.PictureSize();
    host_.SetStatus(IntToText(s.cx) + u" x " + IntToText(s.cy));
  };
  const std::u16string ext = ExtractFileExt(member);
  if (EqualsIgnoreCase(ext, u".png")) {
    host_.SetStatus(u"Load PNG");
    DibSectionSink sink;
    DecodePng(buffer, rgb, sink);
    image.SetPicture(MakeBitmapPicture(std::move(sink.section)));
  } else if (EqualsIgnoreCase(ext, u".webp")) {
    host_.SetStatus(u"Load WebP");
    image.SetPicture(LoadWebpPicture(std::string(buffer.begin(), buffer.end()), rgb));
    image.Animate(true);
    report_size();
  } else if (EqualsIgnoreCase(ext, u".avif")) {
    host_.SetStatus(u"Load AVIF");
    image.SetPicture(LoadPictureByContent({buffer.data(), size}, background));
    report_size();
  } else {
    host_.SetStatus(u"Load Graphic");
    UniqueBitmap bitmap;
    if (!BitmapFromMemory(buffer, bitmap)) return;
    image.SetPicture(MakeBitmapPicture(std::move(bitmap)));
    report_size();
  }
  host_.ShowLinkImagePage();
}

}  // namespace zk
