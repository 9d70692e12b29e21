// Start-up and shut-down of the main window, the command line and the
// settings file.
#include "app/window/main_window.h"

#include "base/command_line.h"
#include "archive/work_folder.h"
#include "base/paths.h"
#include "base/win_files.h"
#include "base/win_text.h"
#include "desktop/file_operation.h"

namespace zk {
namespace {

// The shell deletes the work folder's contents, its windows owned by ours.
FolderDeletion ShellFolderDeletion(HWND owner) {
  return {[owner](const std::u16string& folder) { EmptyFolder(owner, folder); },
          [owner](const std::u16string& folder) { RemoveFolder(owner, folder); }};
}

}  // namespace

void TZKMainForm::FormCreate() {
  auto show = [this](const std::u16string& text) { ShowMessageBox(ToWide(text), kApplicationTitle, MB_OK | MB_ICONWARNING); };
  const FolderDeletion deletion = ShellFolderDeletion(wnd_);
  archive_page_.browser().SetWorkFolder(options_.temp_folder.empty()
                                            ? PrepareWorkFolder(deletion, show)
                                            : PrepareWorkFolder(deletion, show, options_.temp_folder));

  settings_.IsBinary.clear();

  CreateTrayAndHotKey();  // the tray icon takes the application icon and title

  // Defaults; the window's designed size for the geometry.
  Settings defaults;
  SIZE designed = DesignedWindowSize();
  defaults.Width = designed.cx;
  defaults.Height = designed.cy;
  defaults.BackgroundColor = image_page_.ScrollBox().color();
  settings_ = defaults;

  actions[CommandId::ZoomUpAction].shortcuts = {VK_ADD};
  actions[CommandId::ZoomOutAction].shortcuts = {VK_SUBTRACT};
  actions[CommandId::ZoomFitAction].shortcuts = {VK_MULTIPLY};
  actions[CommandId::RealSizeAction].shortcuts = {VK_DIVIDE};

  CreateTextControl();

  ClearView(true);
  ReadCommandLine();

  std::u16string program = options_.program_path.empty() ? ProgramPath() : options_.program_path;
  ini_file_name_ = IniFileNameFor(program, settings_folder_);
  LocateConverter();

  toolbar_ini_name_ = ToolbarIniNameFor(ini_file_name_);
  CreateToolBarMenu();
  CreateToolPalette();
  CreateImagePopupMenu();
  CreateArcListPopupMenu();
  LoadToolbarLayout();

  LoadSettings();

  RegisterActiveHotKey();
}

void TZKMainForm::ReadCommandLine() {
  CommandLine cl = ParseCommandLine(options_.params, [](const std::u16string& f) { return ::zk::FolderExists(f); });
  for (CommandLineNotice n : cl.notices) {
    if (n == CommandLineNotice::kHelp)
      ShowMessageBox(ToWide(kHelpText), ToWide(kHelpCaption), MB_OK);
    else
      ShowWarning(ToWide(kMissingFolderText));
  }
  settings_folder_ = cl.settings_folder;
  RunEverythingAtStart = cl.run_everything_at_start;
}

void TZKMainForm::FormDestroy() {
  CleanUpWorkFolder(ShellFolderDeletion(wnd_), archive_page_.browser().work_folder());

  text_page_.StopReader();

  SaveSettings();

  SaveToolbarLayout();

  settings_.IsBinary.clear();
  ReleaseTrayAndHotKey();
}

void TZKMainForm::LoadSettings() {
  SetStatus(u"Load IniFile..");
  // Whatever happens, the status is emptied at the end.
  struct StatusReset {
    TZKMainForm* form;
    ~StatusReset() { form->SetStatus(u""); }
  } reset{this};

  WinAnsiCodec ansi;
  IniFile ini = IniFile::Parse(ReadWholeFile(ini_file_name_).value_or(std::string()), ansi);
  ReadSettings(ini, settings_, 96);
  PullBackIntoDesktop(settings_, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));

  // The normal position; a maximised start keeps it as the restored size.
  WINDOWPLACEMENT wp{sizeof(wp)};
  GetWindowPlacement(wnd_, &wp);
  wp.rcNormalPosition = {settings_.Left, settings_.Top, settings_.Left + settings_.Width, settings_.Top + settings_.Height};
  wp.showCmd = SW_HIDE;
  SetWindowPlacement(wnd_, &wp);
  SetWindowPos(wnd_, nullptr, settings_.Left, settings_.Top, settings_.Width, settings_.Height,
               SWP_NOZORDER | SWP_NOACTIVATE);

  if (settings_.TopMost) {
    Action& top_most = actions[CommandId::TopMostAction];
    top_most.checked = false;  // the command flips it on
    top_most.Execute();
  }
  image_page_.ScrollBox().SetColor(settings_.BackgroundColor);
  ApplyTextFont();
}

void TZKMainForm::SaveSettings() {
  WINDOWPLACEMENT wp{sizeof(wp)};
  GetWindowPlacement(wnd_, &wp);
  settings_.wsMaximized = IsZoomed(wnd_) != FALSE;
  // A maximised or minimised window is stored with its restored position, so
  // that it does not come back at the minimised window's far-off place.
  RECT r = wp.rcNormalPosition;
  if (!settings_.wsMaximized && !IsIconic(wnd_)) GetWindowRect(wnd_, &r);
  settings_.Top = r.top;
  settings_.Left = r.left;
  settings_.Width = r.right - r.left;
  settings_.Height = r.bottom - r.top;
  settings_.BackgroundColor = image_page_.ScrollBox().color();

  WinAnsiCodec ansi;
  IniFile ini = IniFile::Parse(ReadWholeFile(ini_file_name_).value_or(std::string()), ansi);
  WriteSettings(settings_, ini, 96);
  WriteWholeFile(ini_file_name_, ini.Serialize(ansi));
}

}  // namespace zk
