// The main window's side of archive browsing: the commands wired to the
// archive page's browser, and what the browser asks of the window.
#include <windows.h>

#include "app/window/main_window.h"
#include "base/win_text.h"

namespace zk {

void TZKMainForm::CreateArchiveActions() {
  using enum CommandId;
  ArchiveBrowser& browser = archive_page_.browser();
  actions[ArcListAction].on_execute = [&browser](Action&) { browser.ListCommand(); };
  actions[EnterAction].on_execute = [this, &browser](Action&) {
    browser.Enter(PageControl_.active_page() == kArcTabSheet);
  };
  actions[CopyListAction].on_execute = [&browser](Action&) { browser.CopyList(); };
  for (CommandId n : {CtrlUpAction, CtrlDownAction, CtrlHomeAction, CtrlEndAction})
    actions[n].on_execute = [&browser](Action& x) { browser.Step(x.tag); };
  archive_page_.OnDblClick = [&browser] { browser.OpenSelected(); };
  image_page_.ScrollBox().on_double_click = [&browser] { browser.Back(); };
}

bool TZKMainForm::ListArchive(const std::u16string& path) { return archive_page_.browser().ListForDispatch(path); }

void TZKMainForm::OpenArcLink(const std::u16string& path) { archive_page_.browser().OpenLink(path); }

// ArchiveBrowser::Host

HWND TZKMainForm::OwnerWindow() { return wnd_; }

const Settings& TZKMainForm::BrowsingSettings() { return settings_; }

const std::u16string& TZKMainForm::Selection() { return SelectedFileName; }

void TZKMainForm::SetMemberStatus(const std::u16string& text) { StatusBar_.SetText(1, text); }

void TZKMainForm::ShowNotice(const std::wstring& message) {
  ShowMessageBox(message, kApplicationTitle, MB_OK | MB_ICONWARNING);
}

void TZKMainForm::SetArchiveCaption(const std::u16string& archive_name) { SetWindowTextW(wnd_, W(archive_name)); }

void TZKMainForm::ShowListPage() {
  archive_page_.SetVisible(true);
  PageControl_.SetActivePage(kArcTabSheet);
  ViewFileType = vfArc;
  if (IsWindowVisible(wnd_)) SetFocus(archive_page_.ArcListBox());
}

void TZKMainForm::ViewMemberFile(const std::u16string& file) {
  image_page_.Clear();  // the picture test then sees only what this member gives
  DispatchFile(file, true);
}

void TZKMainForm::ShowLinkText(const std::u16string& text) {
  text_page_.RichEditURL().SetText(text);
  ShowTextView();
}

void TZKMainForm::ClearViews() { ClearView(false); }

ImageControl& TZKMainForm::LinkImage() { return image_page_.MainImage(); }

COLORREF TZKMainForm::LinkImageBackground() { return image_page_.ScrollBox().ColorRef(); }

void TZKMainForm::ShowLinkImagePage() {
  image_page_.MainImage().SetVisible(true);
  ActivateImagePage();
  FitImage();
  ViewFileType = vfImage;
  if (IsWindowVisible(wnd_)) SetFocus(wnd_);
}

}  // namespace zk
