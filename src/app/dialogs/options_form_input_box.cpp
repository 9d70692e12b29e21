// The one-line text entry of the settings dialog, built in code.
#include "app/controls/child_window.h"
#include "app/controls/edit_box.h"
#include "app/dialogs/options_form_pickers.h"
#include "base/ui/modal_dialog.h"
#include "base/ui/window_base.h"
#include "base/win_text.h"

namespace zk {
namespace {

constexpr int kEditId = 100;
constexpr int kWidth = 320;
constexpr int kHeight = 104;

class InputBox final : public DialogBase {
 public:
  InputBox(std::u16string prompt, std::u16string preset) : prompt_(std::move(prompt)), preset_(std::move(preset)) {}
  ~InputBox() override {
    if (wnd_) DestroyWindow(wnd_);
  }

  std::optional<std::u16string> Run(HWND owner, const std::u16string& caption) {
    if (!CreateEmptyFor(owner, ToWide(caption))) return std::nullopt;
    PlaceDialog(wnd_, owner, scale_, kWidth, kHeight);
    RunModal(wnd_, owner, done_);
    if (wnd_) DestroyWindow(wnd_);
    return answer_;
  }

 private:
  void Build() {
    CreateLabel(wnd_, ToWide(prompt_), scale_({10, 10, kWidth - 20, 16}), font_.get());
    edit_.Create(wnd_, scale_({10, 30, kWidth - 20, 21}), kEditId, font_.get());
    edit_.SetText(preset_);
    CreatePushButton(wnd_, L"OK", scale_({kWidth - 170, kHeight - 35, 75, 25}), IDOK, font_.get(), BS_DEFPUSHBUTTON);
    CreatePushButton(wnd_, L"キャンセル", scale_({kWidth - 85, kHeight - 35, 75, 25}), IDCANCEL, font_.get());
  }

  INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM) override {
    if (msg == WM_INITDIALOG) {
      Build();
      // The preset text is selected, so typing replaces it.
      SetFocus(edit_.hwnd());
      SendMessageW(edit_.hwnd(), EM_SETSEL, 0, -1);
      return FALSE;
    }
    if (msg != WM_COMMAND) return FALSE;
    if (LOWORD(wp) == IDOK) {
      answer_ = edit_.Text();
      done_ = true;
      return TRUE;
    }
    if (LOWORD(wp) == IDCANCEL) {
      done_ = true;
      return TRUE;
    }
    return FALSE;
  }

  std::u16string prompt_, preset_;
  EditBox edit_;
  std::optional<std::u16string> answer_;
  bool done_ = false;
};

}  // namespace

std::optional<std::u16string> InputQuery(HWND owner, const std::u16string& caption, const std::u16string& prompt,
                                         const std::u16string& preset) {
  return InputBox(prompt, preset).Run(owner, caption);
}

}  // namespace zk
