// The view state of the main window and its side of the file dispatch.
#include "app/main_window.h"
#include "base/file_byte_source.h"
#include "base/win_files.h"
#include "base/win_text.h"
#include "app/outside_programs.h"
#include "base/paths.h"
#include "text/binary_view.h"
#include "text/command_line_unit.h"
#include "text/mp3_tags.h"
#include "text/outline_document.h"

namespace zk {

void TZKMainForm::SetStatus(const std::u16string& text) { StatusBar_.SetText(0, text); }

void TZKMainForm::SetViewCaption(const std::u16string& path) {
  std::wstring caption = path.empty() ? std::wstring(kApplicationTitle)
                                      : ToWide(path) + L" - " + kApplicationTitle;
  if (wnd_) SetWindowTextW(wnd_, caption.c_str());
}

void TZKMainForm::ClearView(bool forget_member) {
  SetViewCaption(u"");
  StatusBar_.SetText(1, u"");
  ViewFileType = vfTemp;

  MainImage.zoom_tag = -1;
  MainImage.center = true;
  MainImage.SetVisible(false);
  MainImage.hint.clear();
  MainImage.ClearPicture();
  MainImage.auto_size = true;
  MainImage.stretch = false;
  MainImage.fill_parent = false;
  MainImage.SetBounds(0, 0, 0, 0);
  if (MainImage.hwnd()) MoveWindow(MainImage.hwnd(), 0, 0, 0, 0, FALSE);

  ClearTextView();

  if (ArcListBox) ShowWindow(ArcListBox, SW_HIDE);
  if (forget_member) ShownMemberPath.clear();

  ScrollBox_.auto_scroll = true;
  ScrollBox_.hint.clear();
  ScrollBox_.Layout();
  SetStatus(u"");
}

std::u16string TZKMainForm::CacheFileName(const std::u16string& path) {
  return ::zk::CacheFileName(path, settings.CacheFolder, *this);
}

void TZKMainForm::DispatchFile(const std::u16string& path, bool from_archive_list) {
  DispatchSettings s;
  s.MaxReadByte = settings.MaxReadByte;
  s.IsBinary = &settings.IsBinary;
  s.LinkView = settings.LinkView;
  s.ArcView = settings.ArcView;
  s.ShowID3Tag = settings.ShowID3Tag;
  s.CacheFolder = settings.CacheFolder;
  s.ConverterPath = xdoc2txtPath;
  ::zk::DispatchFile(path, from_archive_list, s, *this);
}

bool TZKMainForm::FileExists(const std::u16string& path) { return ::zk::FileExists(path); }
bool TZKMainForm::FolderExists(const std::u16string& path) { return ::zk::FolderExists(path); }
int64_t TZKMainForm::FileSizeOf(const std::u16string& path) { return ::zk::FileSizeOf(path); }
uint32_t TZKMainForm::TickCount() { return GetTickCount(); }

void TZKMainForm::SetBusyCursor(bool busy) {
  busy_ += busy ? 1 : -1;
  if (busy_ < 0) busy_ = 0;
  SetCursor(LoadCursorW(nullptr, busy_ > 0 ? IDC_WAIT : IDC_ARROW));
}

void TZKMainForm::ClearArchiveList() {
  if (ArcListBox) SendMessageW(ArcListBox, LB_RESETCONTENT, 0, 0);
}

void TZKMainForm::ActivateImagePage() { PageControl_.SetActivePage(kImageTabSheet); }

namespace {

// The image page as the place the binary view draws on.
class ImagePageBinaryTarget final : public BinaryViewTarget {
 public:
  explicit ImagePageBinaryTarget(TZKMainForm& form) : form_(form) {}

  void SetStatus(const std::u16string& text) override { form_.SetStatus(text); }
  HWND ShowPictureControl() override {
    form_.ViewFileType = vfBinary;
    form_.PageControl_.SetActivePage(kImageTabSheet);
    form_.MainImage.fill_parent = true;
    form_.MainImage.SetVisible(true);
    form_.ScrollBox_.Layout();
    return form_.MainImage.hwnd();
  }
  COLORREF BackgroundColor() override { return form_.ScrollBox_.ColorRef(); }
  HFONT CanvasFont() override { return form_.CanvasFont(); }
  void SetPicture(UniqueBitmap picture) override { form_.MainImage.SetPicture(std::move(picture)); }

 private:
  TZKMainForm& form_;
};

}  // namespace

void TZKMainForm::ShowBinaryView(const std::u16string& path, bool size_over) {
  ImagePageBinaryTarget target(*this);
  ::zk::ShowBinaryView(target, path, size_over);
}

std::u16string TZKMainForm::ResolveShortcut(const std::u16string& path) { return ::zk::ResolveShortcut(path); }

// Seam: ".ArcLink" files show the picture they name out of an archive.
void TZKMainForm::OpenArcLink(const std::u16string&) {}

// Seams: the views of later stages. Until they exist the file goes on to the
// next test of the dispatch.
bool TZKMainForm::ShowMp3Summary(const std::u16string& path) {
  RichEditURL.Clear();
  FileByteSource file(path);
  TMyTagID3 tag(path, file, WinAnsiCodec());
  RichEditURL.SetText(Mp3TagSummary(tag));
  if (!RichEditURL.Text().empty()) ShowTextView();
  else ShowBinaryView(path, false);
  return true;
}
bool TZKMainForm::ShowConvertedDocument(const std::u16string& path) {
  // The located converter itself, so that one found through its App Paths
  // entry runs as well as one on the search path.
  std::u16string command = QuotePath(xdoc2txtPath) + u" " + QuotePath(path);
  RichEditURL.SetText(TCommandLineUnit::RunCommandLine(command));
  ShowTextView();
  return true;
}

void TZKMainForm::LocateConverter() { xdoc2txtPath = FindProgram(u"xdoc2txt.exe"); }
bool TZKMainForm::ListArchive(const std::u16string& path) {
  ListedArchivePath = path;
  return false;
}
bool TZKMainForm::ShowOutlineDocument(const std::u16string& path) {
  auto bytes = ReadWholeFile(path);
  if (!bytes) return false;
  OutlineChapter chapter = ReadOutlineDocument(*bytes, WinAnsiCodec());
  RichEditURL.Clear();
  if (!chapter.showed) return false;
  if (!chapter.rich_text.empty()) {
    RichEditURL.LoadRtf(chapter.rich_text);
    RichEditURL.InsertFirstLine(chapter.title);
  } else {
    RichEditURL.SetText(chapter.title);
  }
  ShowTextView();
  return true;
}


}  // namespace zk
