// The settings command of the main window: the settings dialog, or with
// Shift the settings file in the user's editor.
#include "app/window/main_window.h"

#include <shellapi.h>

#include "app/dialogs/options_form.h"
#include "base/paths.h"
#include "base/win_files.h"
#include "base/win_text.h"

namespace zk {
namespace {

constexpr int kActiveHotKeyId = 1;
// The text the font preview shows: a web address, kana and kanji.
constexpr wchar_t kFontSample[] = L"https://example.com/\r\nいろはにこんぺいとう\r\n薔薇来夏";

}  // namespace

void TZKMainForm::CreateOptionsActions() {
  actions[CommandId::OptionsAction].on_execute = [this](Action&) { OptionsActionExecute(); };
  // The sample text is kept with the text font.
  if (text_page_.FontTestMemo() && WindowText(text_page_.FontTestMemo()).empty()) SetWindowTextW(text_page_.FontTestMemo(), kFontSample);
}

void TZKMainForm::OptionsActionExecute() {
  if (GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0) {
    const std::u16string quoted = QuotePath(ini_file_name_);
    if (services_->open_settings_file) {
      services_->open_settings_file(quoted);
      return;
    }
    auto r = reinterpret_cast<INT_PTR>(ShellExecuteW(wnd_, L"open", W(quoted), L"", L"", SW_SHOWNORMAL));
    // The file exists only after the first exit; say so rather than do nothing.
    if (r <= 32) ShowWarning(ToWide(ini_file_name_) + L"\rを開けませんでした");
    return;
  }

  // The window leaves the top-most band while the dialog is open and comes
  // back to it however the dialog ends.
  struct TopMostBack {
    Action* top_most = nullptr;
    ~TopMostBack() {
      if (!top_most) return;
      top_most->checked = false;  // the command turns it on again
      top_most->Execute();
    }
  } top_most_back;
  if (settings_.TopMost) {
    Action& top_most = actions[CommandId::TopMostAction];
    top_most.checked = true;  // the command turns it off
    top_most.Execute();
    top_most_back.top_most = &top_most;
  }

  TZKOptionsForm form(
      wnd_, [this](HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
        return MessageBoxFor(owner, text, caption, type);
      },
      kApplicationTitle);
  const std::u16string program = options_.program_path.empty() ? ProgramPath() : options_.program_path;
  form.program_folder = ExtractFilePath(program);
  form.sample_text = text_page_.FontTestMemo() ? WindowText(text_page_.FontTestMemo()) : std::u16string();
  form.OnShow = services_->options_form_shown;
  if (!form.Create()) return;

  Settings values = settings_;
  values.BackgroundColor = image_page_.ScrollBox().color();
  form.FillFrom(values);
  Action& options = actions[CommandId::OptionsAction];
  if (form.ShowModal(options.tag) != IDOK) return;

  options.tag = form.ActivePage();
  form.CopyTo(values);
  ApplySettings(values);
}

void TZKMainForm::ApplySettings(const Settings& values) {
  const uint16_t old_hot_key = settings_.ActiveHotKey;
  settings_ = values;
  existence_.Forget();
  RefreshFacts();
  if (settings_.ActiveHotKey != old_hot_key && HookHotKey) {
    // No key: the old one is only withdrawn.
    if (settings_.ActiveHotKey == 0)
      HookHotKey->UnregisterHotKeyId(kActiveHotKeyId);
    else
      HookHotKey->ChangeHotKey(kActiveHotKeyId, settings_.ActiveHotKey);
  }
  ApplyTextFont();
  image_page_.ScrollBox().SetColor(settings_.BackgroundColor);
}

}  // namespace zk
