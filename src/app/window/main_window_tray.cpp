// The main window's tray icon with its menu, and its global hot key.
#include "app/window/main_window.h"
#include "base/win_text.h"

namespace zk {
namespace {

constexpr int kActiveHotKeyId = 1;

}  // namespace

void TZKMainForm::CreateTrayAndHotKey() {
  TaskTray = std::make_unique<TTaskTray>(wnd_);
  if (TaskTray->IconID() != 1) {
    try {
      TaskTray->SetIconID(1);
    } catch (const EInvalidOperation&) {
      // Another icon of this process holds 1 (only in tests); keep the one given.
    }
  }
  HINSTANCE inst = GetModuleHandleW(nullptr);
  UniqueIcon own{static_cast<HICON>(LoadImageW(inst, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR))};
  TaskTray->SetIcon(own ? own.get() : LoadIconW(nullptr, IDI_APPLICATION));
  TaskTray->SetTipString(FromWide(kApplicationTitle));

  TaskTrayPopupMenu = std::make_unique<PopupMenu>();
  Action& run = actions[CommandId::RunEverythingAction];
  TaskTrayPopupMenu->Add(
      ToWide(run.caption), [&run] { run.Execute(); },
      [&run] {
        run.Update();
        return run.enabled;
      });
  TaskTrayPopupMenu->Add(L"やっぱり隠さないで", [this] { N4Click(); });
  TaskTrayPopupMenu->Add(L"終了", [this] { N2Click(); });
  TaskTray->SetPopupMenuR(TaskTrayPopupMenu.get());

  HookHotKey = std::make_unique<THookHotKey>(wnd_);
  HookHotKey->OnHotKey = [this](THookHotKey& sender, int id) { HookHotKeyHotKey(sender, id); };
  HookHotKey->OnException = [this](const std::wstring& message) {
    ShowMessageBox(message, kApplicationTitle, MB_OK | MB_ICONERROR);
  };
}

void TZKMainForm::RegisterActiveHotKey() {
  // A key another program holds is simply not registered.
  if (HookHotKey && settings_.ActiveHotKey != 0) HookHotKey->RegisterHotKeyId(kActiveHotKeyId, settings_.ActiveHotKey);
}

void TZKMainForm::ReleaseTrayAndHotKey() {
  // The components themselves live as long as the window object: a menu or
  // hot-key handler may still be on the stack.
  if (TaskTray) TaskTray->SetRegistered(false);
  if (HookHotKey) HookHotKey->UnregisterHotKeyId(kActiveHotKeyId);
}

void TZKMainForm::HookHotKeyHotKey(THookHotKey&, int id) {
  if (id != kActiveHotKeyId || !wnd_) return;
  ShowWindow(wnd_, IsIconic(wnd_) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(wnd_);
}

void TZKMainForm::N2Click() {
  // Posted: the menu that ran this is still on the stack.
  if (wnd_) PostMessageW(wnd_, WM_CLOSE, 0, 0);
}

void TZKMainForm::N4Click() {
  actions[CommandId::NotUsedInTrayAction].checked = false;
  settings_.NotUsedInTray = false;
  SetInTray(false);
}

}  // namespace zk
