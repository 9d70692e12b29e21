// The settings dialog (`TZKOptionsForm`): five pages of controls, each bound
// to a setting of the main window. It works on copies: FillFrom puts the
// settings into the controls, CopyTo takes them back after OK.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "app/model/actions.h"
#include "app/controls/check_box.h"
#include "app/controls/color_panel.h"
#include "app/controls/edit_box.h"
#include "app/controls/hint_window.h"
#include "app/controls/hot_key_field.h"
#include "app/controls/list_box.h"
#include "app/controls/tab_page_control.h"
#include "app/dialogs/options_form_pickers.h"
#include "app/model/settings.h"
#include "base/ui/window_base.h"
#include "base/win_handles.h"
#include "text/rich_edit_url.h"

namespace zk {

// Page indexes of the settings dialog.
enum OptionsPage { kMainPage = 0, kTextPage = 1, kImagePage = 2, kProgramsPage = 3, kOtherPage = 4 };

class TZKOptionsForm : public DialogBase {
 public:
  using MessageBoxFn =
      std::function<int(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type)>;

  // message_box shows the dialog's warnings and questions under title.
  TZKOptionsForm(HWND owner, MessageBoxFn message_box, std::wstring title);
  ~TZKOptionsForm() override;

  // What the dialog needs besides the settings; set before Create.
  std::u16string program_folder;  // where the cache-folder picker starts
  std::u16string sample_text;     // the font preview's text
  OptionsPickers pickers = DefaultOptionsPickers();
  // Runs once the dialog is on the screen, before the user can act.
  std::function<void(TZKOptionsForm&)> OnShow;

  // Builds the hidden dialog with all its controls.
  bool Create();

  void FillFrom(const Settings& s);
  // Copies every control back into its setting (the dialog's settings only).
  void CopyTo(Settings& s) const;

  // Shows the dialog modally on the given page; IDOK or IDCANCEL.
  int ShowModal(int page);
  int ActivePage() const { return PageControl.active_page(); }

  // Runs a button as a click of the user does.
  void Click(HWND button);
  // The hint a control shows; empty when it has none.
  std::u16string HintOf(HWND control) const { return hints_.Hint(control); }

  // Handlers.
  void KakuListAddActionExecute();
  void KakuListDelActionExecute();
  void KakuListDelActionUpdate(Action& sender);
  void MaxKByteEditChange();
  void Button1Click();
  void BackgroundColorPanelClick();
  void SpeedButton1Click();
  void SpeedButton2Click();
  void SpeedButton6Click(int tag);

  // The text font the preview shows (the text font after OK).
  const FontSetting& preview_font() const { return preview_font_; }

  // Controls.
  TabPageControl PageControl;
  HWND OKButton = nullptr;
  HWND CancelButton = nullptr;
  // "&Main"
  CheckBox NotUsedInTrayCheckBox;
  CheckBox ClearNoEverythingCheckBox;
  EditBox MaxKByteEdit;
  HWND MaxKByteLabel = nullptr;
  HotKeyField UserActiveHotKey;
  HWND KakuLabel = nullptr;
  MultiSelectListBox KakuListBox;
  HWND KakuListAddButton = nullptr;
  HWND KakuListDelButton = nullptr;
  Action KakuListAddAction{u"追加(&A).."};
  Action KakuListDelAction{u"削除(&D).."};
  // "Te&xt"
  HWND Button1 = nullptr;
  TRichEditURL FontPreview;
  // "&Image"
  CheckBox BetterCheckBox;
  CheckBox ImageCenterCheckBox;
  ColorPanel BackgroundColorPanel;
  // "&Programs"
  EditBox EverythingPathEdit;
  HWND SpeedButton1 = nullptr;
  CheckBox OutWClickCheckBox;
  EditBox OutTextEdit;
  EditBox OutTextDirEdit;
  EditBox OutGEdit;
  EditBox OutGDirEdit;
  std::array<HWND, 4> OutViewerButtons{};  // "(&1)".."(&4)", tags 0..3
  // "&Other"
  CheckBox ShowID3TagCheckBox;
  CheckBox LinkViewCheckBox;
  CheckBox ArcViewCheckBox;
  CheckBox ArkWrapCheckBox;
  EditBox CacheFolderEdit;
  HWND SpeedButton2 = nullptr;
  CheckBox ArchiveBuiltInCheckBox;

 private:
  INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnDpiChanged(int dpi, const RECT& suggested) override;
  void FormCreate();
  void CreateMainPage(HWND page);
  void CreateTextPage(HWND page);
  void CreateImagePage(HWND page);
  void CreateProgramsPage(HWND page);
  void CreateOtherPage(HWND page);
  void CreateActions();
  void UpdateActions();
  void OnCommand(int id, int code);
  bool PreTranslate(MSG& msg);
  void SetPreviewFont(const FontSetting& font);
  void ShowWarning(const std::wstring& message);
  bool HasMnemonicOnScreen(wchar_t ch) const;

  HWND owner_;
  MessageBoxFn message_box_;
  std::wstring title_;
  UniqueFont preview_hfont_;
  FontSetting preview_font_;
  HintWindow hints_;
  int result_ = IDCANCEL;
  bool done_ = false;
};

}  // namespace zk
