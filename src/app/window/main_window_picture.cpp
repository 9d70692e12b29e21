// The main window's side of the image page: showing a picture file, fitting,
// the zoom commands, smooth reduction and copying the picture.
#include "app/window/main_window.h"
#include "base/text.h"

namespace zk {

bool TZKMainForm::ShowPicture(const std::u16string& path) {
  ShowImageFile(path);
  if (!image_page_.HasPicture()) return false;
  image_page_.MainImage().SetVisible(true);
  ActivateImagePage();
  FitImage();
  return true;
}

void TZKMainForm::ShowImageFile(const std::u16string& path) {
  if (!image_page_.Load(path)) return;
  const SIZE size = image_page_.MainImage().PictureSize();
  ViewFileType = vfImage;
  if (wnd_ && IsWindowVisible(wnd_)) SetFocus(wnd_);
  SetStatus(IntToText(size.cx) + u" x " + IntToText(size.cy));
}

void TZKMainForm::FitImage() { image_page_.Fit(settings_.ImageCenter, settings_.Better); }

void TZKMainForm::ReShow() {
  if (archive_page_.SelectedIndex() >= 0) {
    archive_page_.browser().OpenSelected();
    return;
  }
  ReloadActionExecute();
}

void TZKMainForm::ZoomActionExecute(int tag) {
  if (ViewFileType == vfText) text_page_.ZoomFont(tag);
  else if (ViewFileType == vfImage) image_page_.Zoom(tag);
}

void TZKMainForm::BetterViewActionExecute(Action& action) {
  action.checked = !action.checked;
  settings_.Better = action.checked;
  if (ViewFileType == vfImage) ReShow();
}

void TZKMainForm::CopyImageActionExecute() {
  if (!image_page_.CopyToClipboard(wnd_)) ShowWarning(L"クリップボードにコピーできませんでした");
}

void TZKMainForm::CopyActionExecute() {
  if (ViewFileType == vfImage) CopyImageActionExecute();
  else if (ViewFileType == vfText && text_page_.RichEditURL().hwnd())
    SendMessageW(text_page_.RichEditURL().hwnd(), WM_COPY, 0, 0);
}

}  // namespace zk
