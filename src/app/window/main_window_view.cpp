// The view state of the main window and its side of the file dispatch.
#include "app/window/main_window.h"
#include "app/shell/outside_programs.h"
#include "base/win_files.h"
#include "base/win_text.h"
#include "text/binary_view.h"

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
  image_page_.Clear();
  text_page_.Clear();
  archive_page_.SetVisible(false);
  if (forget_member) archive_page_.browser().ForgetShownMember();
  SetStatus(u"");
}

void TZKMainForm::DispatchFile(const std::u16string& path, bool from_archive_list) {
  DispatchSettings s;
  s.MaxReadByte = settings_.MaxReadByte;
  s.IsBinary = &settings_.IsBinary;
  s.LinkView = settings_.LinkView;
  s.ArcView = settings_.ArcView;
  s.ShowID3Tag = settings_.ShowID3Tag;
  s.CacheFolder = settings_.CacheFolder;
  s.ConverterPath = converter_path_;
  ::zk::DispatchFile(path, from_archive_list, s, *this);
  RefreshFacts();
}

bool TZKMainForm::FileExists(const std::u16string& path) {
  return services_->path_exists ? services_->path_exists(path, false) : ::zk::FileExists(path);
}
bool TZKMainForm::FolderExists(const std::u16string& path) {
  return services_->path_exists ? services_->path_exists(path, true) : ::zk::FolderExists(path);
}
int64_t TZKMainForm::FileSizeOf(const std::u16string& path) { return ::zk::FileSizeOf(path); }
uint32_t TZKMainForm::TickCount() { return GetTickCount(); }

void TZKMainForm::SetBusyCursor(bool busy) {
  busy_ += busy ? 1 : -1;
  if (busy_ < 0) busy_ = 0;
  SetCursor(LoadCursorW(nullptr, busy_ > 0 ? IDC_WAIT : IDC_ARROW));
}

void TZKMainForm::ClearArchiveList() { archive_page_.Clear(); }

void TZKMainForm::ActivateImagePage() { PageControl_.SetActivePage(kImageTabSheet); }

namespace {

// The image page as the place the binary view draws on.
class ImagePageBinaryTarget final : public BinaryViewTarget {
 public:
  explicit ImagePageBinaryTarget(TZKMainForm& form) : form_(form) {}

  void SetStatus(const std::u16string& text) override { form_.SetStatus(text); }
  HWND ShowPictureControl() override {
    form_.ViewFileType = vfBinary;
    form_.page_control().SetActivePage(kImageTabSheet);
    ImageControl& image = form_.image_page().MainImage();
    image.fill_parent = true;
    image.SetVisible(true);
    form_.image_page().ScrollBox().Layout();
    return image.hwnd();
  }
  COLORREF BackgroundColor() override { return form_.image_page().ScrollBox().ColorRef(); }
  HFONT CanvasFont() override { return form_.CanvasFont(); }
  void SetPicture(UniqueBitmap picture) override { form_.image_page().MainImage().SetPicture(std::move(picture)); }

 private:
  TZKMainForm& form_;
};

}  // namespace

void TZKMainForm::ShowBinaryView(const std::u16string& path, bool size_over) {
  ImagePageBinaryTarget target(*this);
  ::zk::ShowBinaryView(target, path, size_over);
}

std::u16string TZKMainForm::ResolveShortcut(const std::u16string& path) { return ::zk::ResolveShortcut(path); }

void TZKMainForm::LocateConverter() { converter_path_ = FindProgram(u"xdoc2txt.exe"); }

}  // namespace zk
