// The text page: the text control, showing text files and the staged display
// of long texts.
#include "app/main_window.h"

#include <richedit.h>
#include <shellapi.h>

#include "base/text.h"
#include "base/win_text.h"
#include "desktop/popup_menu.h"
#include "text/binary_view.h"
#include "text/char_code.h"
#include "text/read_text_thread.h"
#include "text/text_file.h"
#include "text/text_pieces.h"
#include "text/web_search.h"

namespace zk {
namespace {

constexpr int kRichEditId = 131;
// The staged display shows this many lines at once and lets the reader bring
// the rest.
constexpr size_t kFirstScreenLines = 256;
constexpr size_t kFirstScreenUnits = 64 * 1024;

}  // namespace

void TZKMainForm::CreateTextControl() {
  RichEditURL.Create(TextTabSheet(), kRichEditId);
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
  RichEditURL.OnURLClick = [this](TRichEditURL& sender, const std::u16string& url) { OpenClickedURL(sender, url); };
  RichEditURL.SetFont(text_font_.get(), ColorToRgb(settings.Font.color));
}

void TZKMainForm::ClearTextView() {
  StopTextReader();
  RichEditURL.SetVisible(false);
  RichEditURL.Clear();
  RichEditURL.SetFont(text_font_.get(), ColorToRgb(settings.Font.color));
  POINT origin{0, 0};
  SendMessageW(RichEditURL.hwnd(), EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&origin));
}

void TZKMainForm::ShowTextView() {
  RichEditURL.SetVisible(true);
  ViewFileType = vfText;
  PageControl_.SetActivePage(kTextTabSheet);
  if (IsWindowVisible(wnd_)) SetFocus(RichEditURL.hwnd());
}

void TZKMainForm::ShowTextFile(const std::u16string& path) {
  TextFile file = ReadTextFile(path);
  CharCode id = file.id == CharCode::kNone ? CharCode::kSjis : file.id;
  SetStatus(std::u16string(CharCodeName(id)));
  if (file.HasNull && !file.ReadError) {
    ShowBinaryView(path, false);
    return;
  }
  std::u16string text = file.ReadError ? std::u16string(u"！！読み込みエラー！！") : std::move(file.text);

  size_t first = text.size();
  if (settings.UsePreThread) first = PieceLength(text, kFirstScreenLines, kFirstScreenUnits);
  if (first < text.size()) {
    RichEditURL.SetText(text.substr(0, first));
    if (RichEditURL.LineCount() >= static_cast<int>(kFirstScreenLines)) {
      read_text_thread_ = std::make_unique<TReadTextThread>(text.substr(first), path, wnd_, kTextPieceMessage);
    } else {
      RichEditURL.AppendText(text.substr(first));
    }
  } else {
    RichEditURL.SetText(text);
  }
  SetStatus(Status(0) + u"   " + IntToText(RichEditURL.LineCount()) + u" Lines");
  ShowTextView();
}

void TZKMainForm::OnTextPiece() {
  TReadTextThread* reader = read_text_thread_.get();
  if (!reader) return;
  // One piece per message, so that the user's input is handled in between.
  if (auto piece = reader->TakePiece()) {
    RichEditURL.AppendText(*piece);
    PostMessageW(wnd_, kTextPieceMessage, 0, 0);
    return;
  }
  if (reader->Finished()) {
    SetStatus(u"   " + IntToText(RichEditURL.LineCount()) + u" Lines");
    read_text_thread_.reset();
  }
}

void TZKMainForm::StopTextReader() {
  if (read_text_thread_) read_text_thread_->Terminate();
  read_text_thread_.reset();
}

void TZKMainForm::OpenClickedURL(TRichEditURL&, const std::u16string& url) {
  if (url.find(u"://") == std::u16string::npos) return;
  ShellExecuteW(wnd_, L"open", W(url), nullptr, nullptr, SW_SHOWNORMAL);
}

void TZKMainForm::OpenWebSearch(int tag) {
  std::u16string address = WebSearchAddress(WebSearchKindFromTag(tag), RichEditURL.SelectedText());
  ShellExecuteW(wnd_, L"open", W(address), nullptr, nullptr, SW_SHOWNORMAL);
}

bool TZKMainForm::HasTextSelection() const { return RichEditURL.HasSelection(); }

}  // namespace zk
