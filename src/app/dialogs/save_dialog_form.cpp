#include "app/dialogs/save_dialog_form.h"

#include <commctrl.h>

#include <algorithm>

#include "app/controls/container.h"
#include "base/text.h"
#include "base/ui/modal_dialog.h"
#include "base/win_text.h"

namespace zk {
namespace {

constexpr int kClientWidth = 233;
constexpr int kClientHeight = 113;
constexpr int kPageControlId = 100;
constexpr int kJpegTabSheetId = 101;
constexpr int kProgressiveId = 102;
constexpr int kQualityEditId = 103;
constexpr int kQualityUpDownId = 104;
constexpr int kDefaultQuality = 75;

}  // namespace

TZKSaveDialogForm::~TZKSaveDialogForm() {
  if (wnd_) DestroyWindow(wnd_);
}

bool TZKSaveDialogForm::Create(const std::wstring& caption) { return CreateEmptyFor(owner_, caption) != nullptr; }

void TZKSaveDialogForm::FormCreate() {
  // The page control fills the form above the buttons; it shows no tabs, so
  // its one page is simply the dialog's body.
  const Bounds body = scale_({0, 0, kClientWidth, kClientHeight - 40});
  PageControl = CreateContainer(wnd_, kPageControlId, WS_VISIBLE);
  MoveWindow(PageControl, body.x, body.y, body.width, body.height, FALSE);
  JpegTabSheet = CreateContainer(PageControl, kJpegTabSheetId, WS_VISIBLE);
  MoveWindow(JpegTabSheet, body.x, body.y, body.width, body.height, FALSE);
  // Tab and the mnemonics reach the page's controls through both containers.
  for (HWND w : {PageControl, JpegTabSheet})
    SetWindowLongPtrW(w, GWL_EXSTYLE, GetWindowLongPtrW(w, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  ProgressiveCheckBox.Create(JpegTabSheet, L"&Progressive", scale_({16, 12, 140, 20}), kProgressiveId, font_.get());
  QualityLabel = CreateLabel(JpegTabSheet, L"画質(&Q)", scale_({16, 42, 60, 18}), font_.get());
  QualityEdit.Create(JpegTabSheet, scale_({80, 40, 56, 22}), kQualityEditId, font_.get());
  SetWindowLongPtrW(QualityEdit.hwnd(), GWL_STYLE, GetWindowLongPtrW(QualityEdit.hwnd(), GWL_STYLE) | ES_NUMBER);
  QualityUpDown = CreateWindowExW(0, UPDOWN_CLASSW, L"",
                                  WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS |
                                      UDS_NOTHOUSANDS,
                                  0, 0, 0, 0, JpegTabSheet, reinterpret_cast<HMENU>(INT_PTR{kQualityUpDownId}),
                                  GetModuleHandleW(nullptr), nullptr);
  SendMessageW(QualityUpDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(QualityEdit.hwnd()), 0);
  SendMessageW(QualityUpDown, UDM_SETRANGE32, 1, 100);
  SetQuality(kDefaultQuality);
  CreateLabel(JpegTabSheet, L"%", scale_({144, 42, 20, 18}), font_.get());
  BitBtn1 = CreatePushButton(wnd_, L"OK", scale_({kClientWidth - 168, kClientHeight - 34, 78, 25}), IDOK, font_.get(),
                             BS_DEFPUSHBUTTON);
  BitBtn2 =
      CreatePushButton(wnd_, L"Cancel", scale_({kClientWidth - 84, kClientHeight - 34, 78, 25}), IDCANCEL, font_.get());
}

int TZKSaveDialogForm::Quality() const {
  const std::u16string text = QualityEdit.Text();
  int value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') break;
    value = std::min(value * 10 + (c - u'0'), 1000);
  }
  if (text.empty()) value = static_cast<int>(SendMessageW(QualityUpDown, UDM_GETPOS32, 0, 0));
  return std::clamp(value, 1, 100);
}

void TZKSaveDialogForm::SetQuality(int quality) {
  SendMessageW(QualityUpDown, UDM_SETPOS32, 0, std::clamp(quality, 1, 100));
  QualityEdit.SetText(IntToText(std::clamp(quality, 1, 100)));
}

int TZKSaveDialogForm::ShowModal() {
  if (!wnd_) return IDCANCEL;
  PlaceDialog(wnd_, nullptr, scale_, kClientWidth, kClientHeight);
  result_ = IDCANCEL;
  done_ = false;
  ModalOptions modal;
  modal.on_shown = [this] {
    SetFocus(BitBtn1);
    if (OnShow) OnShow(*this);
  };
  RunModal(wnd_, owner_, done_, modal);
  return result_;
}

void TZKSaveDialogForm::Click(HWND button) {
  if (wnd_ && button && IsWindowEnabled(button))
    SendMessageW(wnd_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

INT_PTR TZKSaveDialogForm::OnMessage(UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      FormCreate();
      return FALSE;
    case WM_NCDESTROY:
      done_ = true;
      return FALSE;
    case WM_CLOSE:
      done_ = true;
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
        result_ = LOWORD(wp);
        done_ = true;
        return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace zk
