// The main window following the search window: the 100 ms poll, the commands
// around the search window, stepping its selection, and hiding in the
// notification area while it is absent.
#include <exception>

#include "app/window/main_window.h"
#include "app/shell/outside_programs.h"
#include "base/text.h"
#include "base/win_files.h"
#include "base/win_process.h"
#include "base/win_text.h"

namespace zk {
namespace {

constexpr UINT_PTR kWatchTimerId = 0x5A57;
constexpr UINT kWatchIntervalMs = 100;

}  // namespace

void TZKMainForm::CreateWatcherActions() {
  Action& find = actions[CommandId::FindEverythingAction];
  find.on_execute = [this](Action& x) {
    x.checked = !x.checked;
    if (x.checked) {
      watch_timer_on_ = wnd_ && SetTimer(wnd_, kWatchTimerId, kWatchIntervalMs, nullptr) != 0;
    } else {
      if (wnd_) KillTimer(wnd_, kWatchTimerId);
      watch_timer_on_ = false;
      // No tick comes any more to say so.
      x.hint = WatcherHint(x.caption, WatcherState::kOff);
    }
  };
  actions[CommandId::RunEverythingAction].on_execute = [this](Action&) { RunEverythingActionExecute(); };
  actions[CommandId::ShowEverythingAction].on_execute = [this](Action&) { SetForegroundWindow(EverythingHandle); };
  // Down and Up step the result list (tags 1 and -1).
  actions[CommandId::NextItemAction].on_execute = [this](Action& x) { StepEverythingSelection(x.tag); };
  actions[CommandId::PreItemAction].on_execute = [this](Action& x) { StepEverythingSelection(x.tag); };
}

void TZKMainForm::FormPaint() {
  first_paint_done_ = true;
  actions[CommandId::FindEverythingAction].Execute();
}

bool TZKMainForm::OnWatchTimer(UINT_PTR timer_id) {
  if (timer_id != kWatchTimerId) return false;
  try {
    TimerTimer();
  } catch (const EInvalidOperation& e) {
    ShowMessageBox(ToWide(e.Message()), kApplicationTitle, MB_OK | MB_ICONERROR);
  } catch (const std::exception& e) {
    ShowMessageBox(ToWide(Utf8ToUtf16(e.what())), kApplicationTitle, MB_OK | MB_ICONERROR);
  }
  return true;
}

void TZKMainForm::TimerTimer() {
  Action& find = actions[CommandId::FindEverythingAction];
  if (!find.checked) {
    find.hint = WatcherHint(find.caption, WatcherState::kOff);
    return;
  }
  // A message box or a dispatch that lets messages run must not start a
  // second poll inside the first.
  if (polling_) return;
  polling_ = true;
  struct PollEnd {
    bool& flag;
    ~PollEnd() { flag = false; }
  } poll_end{polling_};

  LocateEverything();
  if (!EverythingHandle) {
    missing_status_bar_notice_.Due(false);
    status_bar_reader_.Release();
    if (RunEverythingAtStart) {
      RunEverythingAtStart = false;
      actions[CommandId::RunEverythingAction].Execute();
    }
    find.hint = WatcherHint(find.caption, WatcherState::kAbsent);
    if (TaskTray && !TaskTray->Registered() && settings_.NotUsedInTray) SetInTray(true);
    if (settings_.ClearNoEverything) ClearView(true);
    return;
  }

  if (TaskTray && TaskTray->Registered()) {
    SetInTray(false);
    SetForegroundWindow(EverythingHandle);
  }

  const std::u16string path = GetEverythingSelection();
  if (path == SelectedFileName) return;
  archive_page_.browser().ForgetListedArchive();
  if (ClassifySelection(path, SelectedFileName) != SelectionChange::kNew) return;

  ClearView(true);
  SelectedFileName = path;
  SetViewCaption(path);
  find.hint = WatcherHint(find.caption, WatcherState::kFollowing);
  DispatchFile(SelectedFileName, false);
  if (!settings_.TopMost) RaiseAfterNewFile();
}

void TZKMainForm::LocateEverything() {
  HWND previous = EverythingHandle;
  EverythingHandle = FindSearchWindow();
  if (!EverythingHandle) return;
  // The status bar found in the same window before is taken again while it
  // is still there: looking through every descendant ten times a second is
  // a good part of a poll's cost.
  if (EverythingHandle == previous && everything_status_handle_ && IsChild(EverythingHandle, everything_status_handle_))
    return;
  everything_status_handle_ = FindChildWindowByClass(EverythingHandle, kSearchStatusBarClass);
}

std::u16string TZKMainForm::GetEverythingSelection() {
  if (!everything_status_handle_) {
    // Once while the search window goes without a status bar, not ten times a second.
    if (missing_status_bar_notice_.Due(true))
      ShowMessageBox(L"Target Statusbar is not found", kApplicationTitle, MB_OK | MB_ICONWARNING);
    return {};
  }
  missing_status_bar_notice_.Due(false);
  return status_bar_reader_.Read(everything_status_handle_);
}

void TZKMainForm::RaiseAfterNewFile() {
  if (!wnd_) return;
  const bool search_window_in_front = EverythingHandle && GetForegroundWindow() == EverythingHandle;
  // Into the top-most band and straight back: above every normal window.
  constexpr UINT kKeep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  SetWindowPos(wnd_, HWND_TOPMOST, 0, 0, 0, 0, kKeep);
  SetWindowPos(wnd_, HWND_NOTOPMOST, 0, 0, 0, 0, kKeep);
  // The search window keeps the keyboard.
  if (search_window_in_front) BringToTop(EverythingHandle);
}

void TZKMainForm::StepEverythingSelection(int direction) {
  HWND list = EverythingHandle ? FindChildWindowByClass(EverythingHandle, kSearchResultListClass) : nullptr;
  if (!list) return;
  BringToTop(EverythingHandle);
  PostKeyStroke(list, StepKeyFor(direction));
  if (wnd_) BringToTop(wnd_);
}

void TZKMainForm::RunEverythingActionExecute() {
  if (EverythingHandle && IsWindow(EverythingHandle)) {
    SetForegroundWindow(EverythingHandle);
    return;
  }
  // The program is named on its own and the command line quoted, so that a
  // path with spaces cannot start another program ("C:\Program.exe").
  ProcessStart start;
  start.program = settings_.EverythingPath;
  start.command_line = u"\"" + start.program + u"\"";
  start.creation_flags = CREATE_DEFAULT_ERROR_MODE;
  StartProcess(start);  // a failed start shows as the search window staying absent
}

void TZKMainForm::SetInTray(bool in_tray) {
  if (!TaskTray || in_tray == TaskTray->Registered()) return;
  TaskTray->SetRegistered(in_tray);
  if (!wnd_) return;
  if (in_tray) {
    // The window and with it its taskbar button go; only the icon remains.
    ShowWindow(wnd_, SW_HIDE);
  } else {
    ShowWindow(wnd_, SW_SHOWNORMAL);
  }
}

}  // namespace zk
