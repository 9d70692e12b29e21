// Archives in the viewer: the member list, viewing a member from the work
// folder, stepping through the members, copying the list, and archive link
// files that show one picture straight out of an archive.
#include <windows.h>

#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "app/archive_browsing.h"
#include "app/clipboard_text.h"
#include "app/main_window.h"
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
  explicit BusyScope(DispatchHost& host) : host_(host) { host_.SetBusyCursor(true); }
  ~BusyScope() { host_.SetBusyCursor(false); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  DispatchHost& host_;
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

void TZKMainForm::CreateArchiveActions() {
  using enum CommandId;
  actions[ArcListAction].on_execute = [this](Action&) { ArcListCommand(); };
  actions[EnterAction].on_execute = [this](Action&) { EnterActionExecute(); };
  actions[CopyListAction].on_execute = [this](Action&) { CopyListActionExecute(); };
  for (CommandId n : {CtrlUpAction, CtrlDownAction, CtrlHomeAction, CtrlEndAction})
    actions[n].on_execute = [this](Action& x) { StepArchiveMember(x.tag); };
  archive_page_.OnDblClick = [this] { ArcListBoxDblClick(); };
  image_page_.ScrollBox().on_double_click = [this] { BackArcList(); };
}

std::u16string TZKMainForm::MemberArchivePath() const {
  return ListedArchivePath.empty() ? SelectedFileName : ListedArchivePath;
}

void TZKMainForm::ArcListCommand() {
  // The user asked for this list: every reason it cannot be had is told.
  try {
    ArcListActionExecute(true);
  } catch (const EArchiver& e) {
    ShowWarning(ToWide(e.Message()));
  } catch (const EArchiverAssertion& e) {
    ShowWarning(ToWide(e.Message()));
  } catch (const std::exception&) {
    ShowWarning(kFormatUnknown);
  }
}

bool TZKMainForm::ListArchive(const std::u16string& path) {
  ListedArchivePath = path;
  return ArcListActionExecute(false);
}

bool TZKMainForm::ArcListActionExecute(bool from_command) {
  if (!::zk::FileExists(SelectedFileName)) return false;
  const std::u16string path = from_command ? SelectedFileName : ListedArchivePath;
  std::vector<std::u16string> lines;
  std::u16string failure;
  {
    ArchiverDllsRelease release;
    TArchiveFile archive;
    archive.AllowBuiltIn(settings.ArchiveBuiltIn);
    archive.SetFileName(path);  // a missing library or a format without driver ends here, the old lines kept
    archive_page_.Clear();
    bool opened = false;
    try {
      opened = archive.OpenArchive(wnd_, 0);
    } catch (const EArchiver&) {
      if (from_command) ShowWarning(kFormatUnknown);
      return false;
    }
    if (!opened) return false;
    SetWindowTextW(wnd_, W(archive.FileName()));
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
  archive_page_.Fill(lines);
  if (archive_page_.Count() == 0) return false;  // nothing to browse: the other views may take the file
  ShowArcList();
  if (!failure.empty()) SetStatus(std::u16string(kArchiveFileStatus) + u"  " + failure);
  return true;
}

void TZKMainForm::ShowArcList() {
  archive_page_.SetVisible(true);
  PageControl_.SetActivePage(kArcTabSheet);
  ViewFileType = vfArc;
  SetStatus(kArchiveFileStatus);
  if (IsWindowVisible(wnd_)) SetFocus(archive_page_.ArcListBox());
}

void TZKMainForm::BackArcList() {
  if (archive_page_.Count() == 0) return;
  ShowArcList();
  StatusBar_.SetText(1, u"");
}

void TZKMainForm::ArcListBoxDblClick() {
  if (archive_page_.SelectedIndex() < 0 || !::zk::FileExists(SelectedFileName)) return;
  archive_page_.SetVisible(false);
  ShowArchiveMember(MemberArchivePath());
}

void TZKMainForm::ShowArchiveMember(const std::u16string& archive_path) {
  if (::zk::FolderExists(WorkFolder)) EmptyFolder(wnd_, WorkFolder);
  const std::u16string name = MemberNameOfLine(archive_page_.SelectedLine());
  const std::u16string file = MemberViewFile(WorkFolder, name);
  // A name reaching outside the work folder is not extracted at all.
  if (file.empty() || !IsPlainMemberPath(name) || WorkFolder.empty()) {
    ShownMemberPath.clear();
    BackArcList();
    return;
  }
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
      result = archive.ExtractBuiltIn(name, WorkFolder, settings.MaxReadByte);
    } else {
      FileList files;
      if (ExtractsWholeArchive(name)) files.push_back(JoinLines(archive_page_.Lines()));  // names no member
      else files.push_back(Ansi().Encode(name));
      result = archive.Extract(wnd_, nullptr, files, IncludeTrailingDelimiter(WorkFolder));
    }
    output = archive.OutputText();
  } catch (const std::exception&) {
    // The archive or its library has gone since the list was made.
    ShownMemberPath.clear();
    BackArcList();
    return;
  }
  // A member the archiver refused (encrypted, or a name its code page cannot
  // hold) leaves the user on the list with that member selected, told why.
  if (result >= kFirstArchiverError || !::zk::FileExists(file)) {
    ShownMemberPath.clear();
    BackArcList();
    SetStatus(ArchiverFailureStatus(kExtractFailed, result, output));
    return;
  }
  try {
    image_page_.Clear();  // the picture test then sees only what this member gives
    DispatchFile(file, true);
    ShownMemberPath = file;
    StatusBar_.SetText(1, ExtractFileName(file));
  } catch (...) {
    ShownMemberPath.clear();
  }
}

void TZKMainForm::StepArchiveMember(int tag) {
  const int i = StepMemberIndex(tag, archive_page_.SelectedIndex(), archive_page_.Count(), settings.ArkWrap);
  if (i < 0) return;
  archive_page_.Select(i);
  ArcListBoxDblClick();
}

void TZKMainForm::EnterActionExecute() {
  if (PageControl_.active_page() != kArcTabSheet) BackArcList();
  else ArcListBoxDblClick();
}

void TZKMainForm::CopyListActionExecute() {
  if (!SetClipboardText(wnd_, JoinLines(archive_page_.Lines()))) ShowWarning(L"クリップボードにコピーできませんでした");
}

void TZKMainForm::OpenArcLink(const std::u16string& path) {
  // The link's picture is no member of a listed archive.
  ShownMemberPath.clear();
  ListedArchivePath.clear();
  const int64_t size = ::zk::FileSizeOf(path);
  if (size < 0 || size > kLargestLinkFile) return;
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return;
  const std::vector<std::u16string> lines = ReadTextLines(*bytes, Ansi());
  std::optional<ArcLink> link = ReadArcLink(lines);
  if (!link) return;
  if (!::zk::FileExists(link->archive)) {
    std::u16string target = link->archive;
    if (!AskLinkTarget(path, target)) {
      text_page_.RichEditURL().SetText(JoinLines(lines) + kBrokenLink);
      ShowTextView();
      return;
    }
    link->archive = target;
  }
  try {
    const std::optional<uint32_t> member_size = ArcLinkSize(link->size_text);
    if (!member_size) throw std::invalid_argument("not a member size");
    ShowArchiveImage(link->archive, link->member, *member_size);
  } catch (...) {
    image_page_.MainImage().SetVisible(true);
    ShowMessageBox(kUnexpectedError, kApplicationTitle, MB_OK | MB_ICONWARNING);
  }
}

void TZKMainForm::ShowArchiveImage(const std::u16string& archive_path, const std::u16string& member, uint32_t size) {
  ClearView(false);
  ArchiverDllsRelease release;
  TArchiveFile archive;
  SetStatus(u"Load Graphic");
  BusyScope busy(*this);
  archive.AllowBuiltIn(settings.ArchiveBuiltIn);
  archive.SetFileName(archive_path);
  archive.Options().jso = 1;
  archive.Options().n = 1;
  // A size no file of this viewer may have is not worth the memory.
  if (settings.MaxReadByte != 0 && size > settings.MaxReadByte) throw std::length_error("member over the read limit");
  SetStatus(u"Output Memory");
  // The decoders get the whole buffer and ignore what follows the picture.
  std::vector<uint8_t> buffer(size_t{size} + 1024);
  DWORD written = 0;
  if (archive.BuiltIn()) {
    if (archive.ExtractMemBuiltIn(member, buffer.data(), size, written) != 0)
      throw EArchiver(archive.OutputText());
  } else {
    archive.ExtractMem(wnd_, nullptr, Ansi().Encode(member), buffer.data(), size, written);
  }
  const COLORREF background = image_page_.ScrollBox().ColorRef();
  if (EqualsIgnoreCase(ExtractFileExt(member), u".png")) {
    SetStatus(u"Load PNG");
    DibSectionSink sink;
    DecodePng(buffer, {GetRValue(background), GetGValue(background), GetBValue(background)}, sink);
    image_page_.MainImage().SetPicture(MakeBitmapPicture(std::move(sink.section)));
  } else if (EqualsIgnoreCase(ExtractFileExt(member), u".webp")) {
    SetStatus(u"Load WebP");
    image_page_.MainImage().SetPicture(LoadWebpPicture(std::string(buffer.begin(), buffer.end()),
                                                       {GetRValue(background), GetGValue(background), GetBValue(background)}));
    image_page_.MainImage().Animate(true);
    const SIZE s = image_page_.MainImage().PictureSize();
    SetStatus(IntToText(s.cx) + u" x " + IntToText(s.cy));
  } else if (EqualsIgnoreCase(ExtractFileExt(member), u".avif")) {
    SetStatus(u"Load AVIF");
    image_page_.MainImage().SetPicture(LoadPictureByContent({buffer.data(), size}, background));
    const SIZE s = image_page_.MainImage().PictureSize();
    SetStatus(IntToText(s.cx) + u" x " + IntToText(s.cy));
  } else {
    SetStatus(u"Load Graphic");
    UniqueBitmap bitmap;
    if (!BitmapFromMemory(buffer, bitmap)) return;
    image_page_.MainImage().SetPicture(MakeBitmapPicture(std::move(bitmap)));
    const SIZE s = image_page_.MainImage().PictureSize();
    SetStatus(IntToText(s.cx) + u" x " + IntToText(s.cy));
  }
  image_page_.MainImage().SetVisible(true);
  ActivateImagePage();
  FitImage();
  ViewFileType = vfImage;
  if (IsWindowVisible(wnd_)) SetFocus(wnd_);
}

}  // namespace zk
