// The main window's side of the text page: its pop-up menu, bringing the
// page on view, the views that fill it, link clicks and web searches.
#include "app/window/main_window.h"

#include <shellapi.h>

#include "base/win_text.h"
#include "desktop/popup_menu.h"
#include "text/web_search.h"

namespace zk {

void TZKMainForm::CreateTextControl() {
  text_page_.CreateTextControl(wnd_, settings_.Font);
  TextPopupMenu = std::make_unique<PopupMenu>();
  using enum CommandId;
  for (CommandId id : {CopyAction, SellectAllAction, GoogleAction, WikipediaAction}) {
    if (id == GoogleAction) TextPopupMenu->Add(L"-", {});
    Action* action = &actions[id];
    std::u16string caption = action->caption;
    if (!action->shortcuts.empty()) caption += u"\t" + ShortcutText(action->shortcuts.front());
    TextPopupMenu->Add(ToWide(caption), [action] { action->Execute(); }, [action] {
      action->Update();
      return action->enabled;
    });
  }
  text_page_.RichEditURL().OnURLClick = [this](TRichEditURL& sender, const std::u16string& url) {
    OpenClickedURL(sender, url);
  };
}

void TZKMainForm::ApplyTextFont() { text_page_.ApplyFont(settings_.Font); }

void TZKMainForm::ShowTextView() {
  TRichEditURL& text = text_page_.RichEditURL();
  text.SetVisible(true);
  ViewFileType = vfText;
  PageControl_.SetActivePage(kTextTabSheet);
  if (IsWindowVisible(wnd_)) SetFocus(text.hwnd());
}

void TZKMainForm::ShowTextFile(const std::u16string& path) { text_page_.ShowTextFile(path, settings_.UsePreThread); }

bool TZKMainForm::ShowMp3Summary(const std::u16string& path) {
  text_page_.ShowMp3Summary(path);
  return true;
}

bool TZKMainForm::ShowConvertedDocument(const std::u16string& path) {
  text_page_.ShowConvertedDocument(converter_path_, path);
  return true;
}

bool TZKMainForm::ShowOutlineDocument(const std::u16string& path) { return text_page_.ShowOutlineDocument(path); }

void TZKMainForm::OpenClickedURL(TRichEditURL&, const std::u16string& url) {
  if (url.find(u"://") == std::u16string::npos) return;
  ShellExecuteW(wnd_, L"open", W(url), nullptr, nullptr, SW_SHOWNORMAL);
}

void TZKMainForm::OpenWebSearch(int tag) {
  std::u16string address = WebSearchAddress(WebSearchKindFromTag(tag), text_page_.RichEditURL().SelectedText());
  ShellExecuteW(wnd_, L"open", W(address), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace zk
