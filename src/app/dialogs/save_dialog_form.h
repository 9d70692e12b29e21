// The JPEG options dialog (`TZKSaveDialogForm`): a page control without tabs
// whose page `JpegTabSheet` holds the progressive mode and the quality, and
// the buttons OK and Cancel below it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/controls/check_box.h"
#include "app/controls/edit_box.h"
#include "base/ui/window_base.h"
#include "base/win_handles.h"

namespace zk {

class TZKSaveDialogForm : public DialogBase {
 public:
  explicit TZKSaveDialogForm(HWND owner) : owner_(owner) {}
  ~TZKSaveDialogForm() override;

  // Builds the hidden dialog with the given caption.
  bool Create(const std::wstring& caption);
  // Runs the dialog modally, centred on the screen; IDOK or IDCANCEL.
  int ShowModal();
  // Runs once the dialog is on the screen, before the user can act (tests).
  std::function<void(TZKSaveDialogForm&)> OnShow;

  // The up-down's position, 1 to 100; typed text out of range is clamped.
  int Quality() const;
  void SetQuality(int quality);
  void Click(HWND button);

  HWND PageControl = nullptr;
  HWND JpegTabSheet = nullptr;
  CheckBox ProgressiveCheckBox;
  HWND QualityLabel = nullptr;
  EditBox QualityEdit;
  HWND QualityUpDown = nullptr;
  HWND BitBtn1 = nullptr;  // OK
  HWND BitBtn2 = nullptr;  // Cancel

 private:
  INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void FormCreate();

  HWND owner_;
  int result_ = IDCANCEL;
  bool done_ = false;
};

}  // namespace zk
