// The one-line text entry of the settings dialog, built in code.
#include "app/controls/child_window.h"
#include "app/controls/edit_box.h"
#include "app/options_form_modal.h"
#include "app/options_form_pickers.h"
#include "base/win_text.h"

namespace zk {
namespace {

constexpr int kEditId = 100;
constexpr int kWidth = 320;
constexpr int kHeight = 104;

struct InputBox {
  std::u16string prompt, preset;
  UniqueFont font;
  EditBox edit;
  std::optional<std::u16string> answer;
  bool done = false;

  void Build(HWND dlg) {
    font = CreateDesignFont();
    CreateLabel(dlg, ToWide(prompt), {10, 10, kWidth - 20, 16}, font.get());
    edit.Create(dlg, {10, 30, kWidth - 20, 21}, kEditId, font.get());
    edit.SetText(preset);
    CreatePushButton(dlg, L"OK", {kWidth - 170, kHeight - 35, 75, 25}, IDOK, font.get(), BS_DEFPUSHBUTTON);
    CreatePushButton(dlg, L"キャンセル", {kWidth - 85, kHeight - 35, 75, 25}, IDCANCEL, font.get());
  }

  static INT_PTR CALLBACK Proc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<InputBox*>(GetWindowLongPtrW(dlg, DWLP_USER));
    if (msg == WM_INITDIALOG) {
      self = reinterpret_cast<InputBox*>(lp);
      SetWindowLongPtrW(dlg, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
      self->Build(dlg);
      // The preset text is selected, so typing replaces it.
      SetFocus(self->edit.hwnd());
      SendMessageW(self->edit.hwnd(), EM_SETSEL, 0, -1);
      return FALSE;
    }
    if (!self || msg != WM_COMMAND) return FALSE;
    if (LOWORD(wp) == IDOK) {
      self->answer = self->edit.Text();
      self->done = true;
      return TRUE;
    }
    if (LOWORD(wp) == IDCANCEL) {
      self->done = true;
      return TRUE;
    }
    return FALSE;
  }
};

}  // namespace

std::optional<std::u16string> InputQuery(HWND owner, const std::u16string& caption, const std::u16string& prompt,
                                         const std::u16string& preset) {
  InputBox box{prompt, preset};
  HWND dlg = CreateEmptyDialog(owner, ToWide(caption), &InputBox::Proc, reinterpret_cast<LPARAM>(&box));
  if (!dlg) return std::nullopt;
  PlaceDialog(dlg, owner, kWidth, kHeight);
  DisabledOwner disabled(owner);
  ShowWindow(dlg, SW_SHOW);
  RunModalLoop(dlg, box.done, nullptr);
  disabled.Enable();
  DestroyWindow(dlg);
  return box.answer;
}

}  // namespace zk
