// The image page: a file's picture through the decoder its extension names,
// or through the decoders that know the content.
#include "app/main_window.h"
#include "base/text.h"
#include "image/picture_clipboard.h"
#include "image/picture_loader.h"

namespace zk {

bool TZKMainForm::ShowPicture(const std::u16string& path) {
  ShowImageFile(path);
  if (!MainImage.HasPicture()) return false;
  MainImage.SetVisible(true);
  ActivateImagePage();
  FitImage();
  return true;
}

void TZKMainForm::ShowImageFile(const std::u16string& path) {
  const COLORREF background = ScrollBox_.ColorRef();
  std::unique_ptr<Picture> picture;
  if (std::optional<PictureDecoderKind> kind = PictureFormats().FindPictureFormat(PictureExtension(path))) {
    try {
      picture = LoadPictureFile(*kind, path, background);
    } catch (const std::exception&) {
      // Decoding failed: the content-based path below may still know the file.
    }
  }
  if (!picture) {
    // A file that cannot be opened here gets no picture; the text view then
    // reports the read error.
    std::optional<std::string> bytes = ReadFileUnshared(path);
    if (!bytes) return;
    try {
      picture = MakeDIBPicture(DecodeByContent({reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size()}));
    } catch (const std::exception&) {
      return;
    }
  }
  const SIZE size = picture->Size();
  MainImage.SetPicture(std::move(picture));
  MainImage.Animate(true);
  ViewFileType = vfImage;
  if (wnd_ && IsWindowVisible(wnd_)) SetFocus(wnd_);
  SetStatus(IntToText(size.cx) + u" x " + IntToText(size.cy));
}

void TZKMainForm::CopyImageActionExecute() {
  if (MainImage.HasPicture() && !PutPictureOnClipboard(wnd_, *MainImage.picture(), ScrollBox_.ColorRef()))
    ShowWarning(L"クリップボードにコピーできませんでした");
}

void TZKMainForm::CopyActionExecute() {
  if (ViewFileType == vfImage) CopyImageActionExecute();
  else if (ViewFileType == vfText && RichEditURL.hwnd()) SendMessageW(RichEditURL.hwnd(), WM_COPY, 0, 0);
}

}  // namespace zk
