// What the settings dialog's buttons and fields do: the binary-extension list,
// the size hint and the pickers.
#include "app/controls/scroll_box.h"
#include "app/dialogs/options_form.h"
#include "app/model/options_form_rules.h"
#include "base/win_text.h"

namespace zk {

void TZKOptionsForm::KakuListAddActionExecute() {
  std::optional<std::u16string> answer =
      pickers.input_query(wnd_, u"バイナリと判断する拡張子の追加", u"拡張子", u"***");
  if (!answer) return;
  std::vector<std::u16string> items = KakuListBox.Items();
  switch (AddBinaryExtension(items, *answer)) {
    case AddExtensionResult::kForbiddenCharacter:
      MessageBeep(MB_ICONINFORMATION);
      ShowWarning(L"指定の拡張子にファイル禁則文字が含まれています");
      return;
    case AddExtensionResult::kAlreadyListed:
      return;
    case AddExtensionResult::kAdded:
      KakuListBox.Add(items.back());
      return;
  }
}

void TZKOptionsForm::KakuListDelActionExecute() {
  MessageBeep(MB_ICONINFORMATION);
  if (message_box_(wnd_, L"選択された拡張子を\r削除してよろしいですか？", title_, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
    return;
  // From the last entry to the first, so the indexes ahead stay valid.
  for (int i = KakuListBox.Count() - 1; i >= 0; --i)
    if (KakuListBox.Selected(i)) KakuListBox.Delete(i);
}

void TZKOptionsForm::KakuListDelActionUpdate(Action& sender) { sender.enabled = KakuListBox.SelCount() > 0; }

void TZKOptionsForm::MaxKByteEditChange() { hints_.SetHint(MaxKByteEdit.hwnd(), SizeHintText(MaxKByteEdit.Text())); }

void TZKOptionsForm::Button1Click() {
  FontSetting font = preview_font_;
  if (pickers.choose_font(wnd_, font)) SetPreviewFont(font);
}

void TZKOptionsForm::BackgroundColorPanelClick() {
  Color color = BackgroundColorPanel.color();
  if (!pickers.choose_color(wnd_, color)) return;
  // The same colour as drawn keeps the panel's own value (a system colour stays one).
  if (ColorToRgb(color) != ColorToRgb(BackgroundColorPanel.color())) BackgroundColorPanel.SetColor(color);
}

void TZKOptionsForm::SpeedButton1Click() {
  if (auto file = pickers.open_file(wnd_, u"Everything を指定", u"Everything|Everything.exe|全てのファイル|*.*",
                                    EverythingPathEdit.Text()))
    EverythingPathEdit.SetText(*file);
}

void TZKOptionsForm::SpeedButton2Click() {
  std::u16string folder = pickers.browse_folder(wnd_, program_folder, u"キャッシュフォルダの指定", true);
  if (!folder.empty()) CacheFolderEdit.SetText(folder);
}

void TZKOptionsForm::SpeedButton6Click(int tag) {
  if (tag % 2 == 1) {
    std::u16string folder = pickers.browse_folder(wnd_, u"", u"実行時フォルダの指定", false);
    if (folder.empty()) return;
    (tag == 1 ? OutTextDirEdit : OutGDirEdit).SetText(folder);
  } else {
    EditBox& edit = tag == 0 ? OutTextEdit : OutGEdit;
    if (auto file = pickers.open_file(wnd_, u"実行ファイルの指定", u"実行ファイル|*.exe;*.bat;*.com|全てのファイル|*.*",
                                      edit.Text()))
      edit.SetText(*file);
  }
}

}  // namespace zk
