// The viewer's main window: the picture, text and archive pages, the status
// bar, the view state and the settings it holds for its whole life.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/model/actions.h"
#include "app/model/command_states.h"
#include "app/window/archive_page.h"
#include "app/controls/page_control.h"
#include "app/controls/status_bar.h"
#include "app/model/dispatch.h"
#include "app/model/existence_cache.h"
#include "app/dialogs/save_file_dialog.h"
#include "app/window/image_page.h"
#include "app/window/main_form_services.h"
#include "app/window/picture_saver.h"
#include "app/controls/tool_bar.h"
#include "app/model/settings.h"
#include "app/window/text_page.h"
#include "app/model/toolbar_layout.h"
#include "app/window/toolbar_pictures.h"
#include "app/model/view_state.h"
#include "base/ui/window_base.h"
#include "base/win_handles.h"
#include "desktop/hook_hot_key.h"
#include "desktop/popup_menu.h"
#include "desktop/task_tray.h"
#include "image/encoders/picture_writers.h"
#include "image/plugins/spi_host.h"
#include "watcher/search_window.h"

namespace zk {

class TSingleInstance;

inline constexpr wchar_t kApplicationTitle[] = L"Zarvik";

// What the window takes from its surroundings; tests replace the parts that
// would reach outside (the services, the program's path, the lock name).
struct MainFormOptions {
  std::u16string program_path;               // empty: this program's path
  std::vector<std::u16string> params;        // command-line parameters
  int show_command = SW_SHOWNORMAL;          // the start-up show command
  std::u16string unique_name = u"Ident1117"; // single-instance lock
  std::u16string temp_folder;                // empty: the user's temporary folder
  HWND application_window = nullptr;         // owner; the hidden application window
  bool quit_on_destroy = true;               // the program ends with its main window
  // The message box, dialogs and programs; null: the real ones.
  std::shared_ptr<MainFormServices> services;
};

// Page indexes of `PageControl`.
enum PageIndex { kImageTabSheet = 0, kTextTabSheet = 1, kArcTabSheet = 2 };

class TZKMainForm final : public WindowBase,
                          public DispatchHost,
                          private ImagePage::Host,
                          private TextPage::Host,
                          private ArchiveBrowser::Host,
                          private PictureSaver::Host {
 public:
  explicit TZKMainForm(MainFormOptions options = {});
  ~TZKMainForm() override;
  TZKMainForm(const TZKMainForm&) = delete;
  TZKMainForm& operator=(const TZKMainForm&) = delete;

  // Builds the window and runs the start-up steps. False when it could not be
  // built, or when another copy runs (duplicate() then tells).
  bool Create();
  bool duplicate() const { return duplicate_; }
  // Shows the window in the state the settings and the show command ask for.
  void Show();
  void Close();

  // View state.
  zk::ViewFileType ViewFileType = vfTemp;
  std::u16string SelectedFileName;
  bool RunEverythingAtStart = false;

  // Settings, in memory from LoadSettings to SaveSettings.
  const Settings& settings() const { return settings_; }
  // Takes new settings as the settings dialog's OK does: the hot key, the
  // text font and the background follow them at once.
  void ApplySettings(const Settings& values);
  const std::u16string& ini_file_name() const { return ini_file_name_; }
  const std::u16string& toolbar_ini_name() const { return toolbar_ini_name_; }
  // The located document converter; empty when there is none.
  const std::u16string& converter_path() const { return converter_path_; }
  void SetConverterPath(std::u16string path) { converter_path_ = std::move(path); }

  // The file dispatch and the views' common operations.
  void DispatchFile(const std::u16string& path, bool from_archive_list);
  void ClearView(bool forget_member);
  void SetStatus(const std::u16string& text) override;
  std::u16string Status(int panel = 0) const override { return StatusBar_.Text(panel); }
  void SetViewCaption(const std::u16string& path);

  // The toolbar (main_window_toolbar.cpp).
  ToolBar& tool_bar() { return ActionToolBar; }
  PopupMenu* tool_bar_popup_menu() { return ActionToolBarPopupMenu.get(); }
  void ApplyToolbarLayout(const ToolbarLayout& layout);
  ToolbarLayout CurrentToolbarLayout() const;
  // Decides which entries the menu shows for a click at `at` (client coordinates).
  void ActionToolBarPopupMenuPopup(POINT at);
  void N3Click();  // toolbar menu "ツールバーの設定..": the customisation dialog

  // The three pages.
  ImagePage& image_page() { return image_page_; }
  TextPage& text_page() { return text_page_; }
  ArchivePage& archive_page() { return archive_page_; }

  // The pop-up menus of the text and the picture, with the picture's cache submenu.
  PopupMenu* text_popup_menu() { return TextPopupMenu.get(); }
  PopupMenu* image_popup_menu() { return ImagePopupMenu.get(); }
  PopupMenu* cache_menu() { return CacheMenu.get(); }
  void ImagePopupMenuPopup();  // decides whether the cache submenu shows

  // Input: keys and wheel turns the window takes before any control sees them.
  bool PreTranslateMessage(const MSG& msg);
  // A wheel turn with the MK_* state of buttons and keys; always handled.
  bool FormMouseWheel(WPARAM keys, int delta);

  // Commands.
  ActionList actions;
  // Runs the command a key press belongs to; true when one took it.
  bool TranslateShortcut(const MSG& msg);
  // Refreshes the commands' enabled and checked states; run when idle.
  void Idle();
  void ReloadActionExecute();
  // The watch poll once, as its timer runs it; and the last file's reading time, in ms.
  void Poll() { TimerTimer(); }
  int32_t last_read_time() const { return LastReadTime; }

  // Everything's main window while it is known, and its status bar.
  HWND EverythingHandle = nullptr;
  HWND everything_status_handle() const { return everything_status_handle_; }

  // The page control holding the three pages.
  PageControl& page_control() { return PageControl_; }
  HWND TextTabSheet() const { return PageControl_.page(kTextTabSheet); }

  // The canvas font the binary view draws with.
  HFONT CanvasFont() const { return ui_font_.get(); }

  // Following the search window.
  bool watching() const { return watch_timer_on_; }
  void StepEverythingSelection(int direction);
  TTaskTray* task_tray() { return TaskTray.get(); }
  PopupMenu* task_tray_popup_menu() { return TaskTrayPopupMenu.get(); }
  THookHotKey* hot_key() { return HookHotKey.get(); }

  // State report and About box (main_window_report.cpp).
  std::u16string StateReport();
  void AboutMenClick();

  // Picture plug-ins (main_window_plugins.cpp): the host searches all five
  // folder kinds while the window is created.
  TSPIs* plugins() { return SPIs.get(); }
  // The full paths of the loaded plug-ins, in load order.
  std::vector<std::u16string> PluginFileNames() const;

  // Outside viewers and archive-link repair (main_window_outside.cpp).
  void OutView(HWND sender);  // sender: RichEditURL's or MainImage's window
  void OutViewActionExecute();
  bool AskLinkTarget(const std::u16string& link_file, std::u16string& target) override;  // true: target chosen

 private:
  // Looks again at the files the enable rules depend on, when what they are
  // changed or the last look is a second old; idle passes only read the result.
  void RefreshFacts();
  // The snapshot the commands' states are decided on.
  ViewContext CurrentContext();
  void ApplyCommandState(Action& action, const ViewContext& context);
  // The plug-in host's handlers: only import plug-ins are kept, and the six
  // classic extensions stay with the built-in decoders.
  void SPIsSearching(TSPIs& sender, const std::u16string& file_name, bool& accept);
  void SPIsSearch(TSPIs& sender, TSPI& spi, bool& accept);
  void SPIsPictureRegister(TSPIs& sender, TSPI& spi, const std::u16string& extension,
                           const std::u16string& description, std::optional<PictureDecoderKind>& graphic_class);

  void CreateOutsideActions();
  void CreateArchiveActions();
  void CreateSaveActions();
  void CreateOptionsActions();
  void CreateReportActions();
  void CreateWatcherActions();
  void CreateToolBar();
  void CreateToolBarMenu();  // once the commands exist
  void CreateToolPalette();  // the buttons the customisation offers; once the commands have handlers
  static int ToolCommandOf(CommandId id);
  static std::optional<CommandId> CommandOfTool(UINT_PTR command);
  struct PaletteEntry {
    ToolbarItem item;
    std::wstring caption;  // the button's own caption, kept for the dialog's insert
    std::wstring listed;   // as the dialog lists it, with the category
  };
  std::vector<PaletteEntry> tool_palette_;
  void CreateImagePopupMenu();
  void CreateArcListPopupMenu();
  bool OnContextMenu(HWND from, LPARAM lp);  // true when a menu was shown
  bool cache_menu_visible_ = false;
  int PlaceToolBar(int width);  // the height it takes from the top
  void ScaleToolBar();          // pictures and buttons for a new DPI
  void UpdateToolBar();
  bool OnToolBarCommand(int command);
  bool OnToolBarNotify(NMHDR* header, LRESULT* result);
  bool mouse_on_first_button_ = false;
  std::wstring tool_tip_text_;
  void CreateTrayAndHotKey();
  void RegisterActiveHotKey();
  void ReleaseTrayAndHotKey();
  bool OnWatchTimer(UINT_PTR timer_id);  // true when the timer is the poll's
  void FormPaint();
  void RaiseAfterNewFile();
  bool watch_timer_on_ = false;
  bool polling_ = false;       // a poll runs; a nested tick (message box, dispatch) is skipped
  bool first_paint_done_ = false;
  OnceWhileLasting missing_status_bar_notice_;
  StatusBarReader status_bar_reader_;  // keeps its memory in the search window's process

 private:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnCreate();
  void CreatePlugins();
  void OnSize();
  void OnDestroy();
  void CreateControls();
  void FormCreate();
  void FormDestroy();
  void ReadCommandLine();
  void ApplyTextFont();
  void CreateActions();
  void CreateTextControl();
  SIZE DesignedWindowSize() const;

  // The DPI of the window's monitor (main_window_dpi.cpp): sizes designed at 96
  // DPI are scaled to it, and a move to a monitor of another DPI rescales them.
  int dpi_ = 96;
  int Scaled(int length) const;
  std::vector<int> StatusPanelWidths() const;
  void OnDpiChanged(int dpi, const RECT& suggested);
  UniqueIcon window_icon_small_, window_icon_large_;  // set once the DPI changed; the class icons before

  // The handlers and helpers behind the commands, views and menus.
  TSingleInstance* single_instance() const { return single_instance_.get(); }
  int32_t LastReadTime = 0;
  void LocateConverter();
  void LoadSettings();
  void SaveSettings();
  UniqueResource<HIMAGELIST, ImageListTraits> LargeImageList;
  UniqueResource<HIMAGELIST, ImageListTraits> SmallImageList;
  void LoadToolbarLayout();
  void SaveToolbarLayout();
  void HideToolBarActionExecute(Action& action);
  // Mouse moves while the toolbar hides: shows it near the top. The move
  // still reaches its control, so panning and text selection go on.
  void ApplicationEvents1Message(const MSG& msg);
  void ShowImageFile(const std::u16string& path);
  void CopyActionExecute();
  void CopyImageActionExecute();
  std::unique_ptr<PopupMenu> ArcListPopupMenu;
  void FitImage();
  void ZoomActionExecute(int tag);
  void BetterViewActionExecute(Action& action);
  // Shows the current file or archive member again, without the size limit.
  void ReShow() override;
  // Always on top (the TopMost setting).
  void SetTopMost(bool on);
  void ClearActionExecute();
  StatusBar StatusBar_;
  HWND ImageTabSheet() const { return PageControl_.page(kImageTabSheet); }
  HWND ArcTabSheet() const { return PageControl_.page(kArcTabSheet); }
  void ShowTextView() override;
  void OpenClickedURL(TRichEditURL& sender, const std::u16string& url);
  void OpenWebSearch(int tag);
  void ShowWarning(const std::wstring& message) override;
  int ShowMessageBox(const std::wstring& text, const std::wstring& caption, UINT type);
  int MessageBoxFor(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type);
  void TimerTimer();                      // the poll, every 100 ms while watching
  void LocateEverything();
  std::u16string GetEverythingSelection();
  void SetInTray(bool in_tray);
  void RunEverythingActionExecute();
  void HookHotKeyHotKey(THookHotKey& sender, int id);
  void N2Click();  // tray menu "終了": closes the window and so ends the program
  void N4Click();  // tray menu "やっぱり隠さないで": leaves the tray and stops retiring there
  void TestActionExecute(Action& sender);  // TestAction shows the report, CopyTestAction copies it
  struct FileInfoDeleter {
    void operator()(class TFileInfo* info) const;
  };
  std::unique_ptr<TFileInfo, FileInfoDeleter> SysInfo;  // the program file's version values
  void OptionsActionExecute();

  // DispatchHost
  bool FileExists(const std::u16string& path) override;
  bool FolderExists(const std::u16string& path) override;
  int64_t FileSizeOf(const std::u16string& path) override;
  uint32_t TickCount() override;
  void SetLastReadTime(int32_t ms) override { LastReadTime = ms; }
  void SetBusyCursor(bool busy) override;
  void ClearArchiveList() override;
  void ActivateImagePage() override;
  void ShowBinaryView(const std::u16string& path, bool size_over) override;
  std::u16string ResolveShortcut(const std::u16string& path) override;
  void OpenArcLink(const std::u16string& path) override;
  bool ShowMp3Summary(const std::u16string& path) override;
  bool ShowConvertedDocument(const std::u16string& path) override;
  bool ListArchive(const std::u16string& path) override;
  bool ShowOutlineDocument(const std::u16string& path) override;
  bool ShowPicture(const std::u16string& path) override;
  void ShowTextFile(const std::u16string& path) override;

  // ArchiveBrowser::Host (main_window_archive.cpp)
  HWND OwnerWindow() override;
  const Settings& BrowsingSettings() override;
  const std::u16string& Selection() override;
  void SetMemberStatus(const std::u16string& text) override;
  void ShowNotice(const std::wstring& message) override;
  void SetArchiveCaption(const std::u16string& archive_name) override;
  void ShowListPage() override;
  void ViewMemberFile(const std::u16string& file) override;
  void ShowLinkText(const std::u16string& text) override;
  void ClearViews() override;
  ImageControl& LinkImage() override;
  COLORREF LinkImageBackground() override;
  void ShowLinkImagePage() override;

  // PictureSaver::Host (main_window_save.cpp)
  Settings& SaverSettings() override;
  MainFormServices& Services() override;
  void ForgetSelection() override;
  std::u16string PictureSourceFile() override;
  std::u16string ShownMember() override;
  const ImageControl& ShownImage() override;
  COLORREF ShownImageBackground() override;
  DispatchHost& Files() override;
  int Ask(const std::wstring& question, UINT type) override;

  MainFormOptions options_;
  std::shared_ptr<MainFormServices> services_;
  Settings settings_;
  ToolBar ActionToolBar;
  std::unique_ptr<PopupMenu> ActionToolBarPopupMenu;
  // The pop-up menus of the text and the picture, with the picture's cache submenu.
  std::unique_ptr<PopupMenu> TextPopupMenu;
  std::unique_ptr<PopupMenu> ImagePopupMenu;
  std::shared_ptr<PopupMenu> CacheMenu;
  PageControl PageControl_;
  std::unique_ptr<TTaskTray> TaskTray;
  std::unique_ptr<PopupMenu> TaskTrayPopupMenu;
  std::unique_ptr<THookHotKey> HookHotKey;
  std::unique_ptr<TSPIs> SPIs;
  std::u16string ini_file_name_, toolbar_ini_name_, converter_path_;
  HWND everything_status_handle_ = nullptr;
  POINT mouse_point_{-1, -1};  // the last mouse position, in client coordinates
  std::u16string settings_folder_;  // from "-i"; empty: the program's folder
  std::unique_ptr<TSingleInstance> single_instance_;
  bool duplicate_ = false;
  bool form_created_ = false;  // start-up steps done; from now on the mouse-move filter acts
  bool shown_ = false;
  int busy_ = 0;
  std::optional<DWORD> last_clear_time_;  // when the last clear's key was pressed; none yet: the first always clears
  UniqueFont ui_font_;
  ExistenceCache existence_;
  // The control that had the keyboard focus last; it gets it back when the
  // window is activated again (after a message box, a dialog, another program).
  HWND last_focus_ = nullptr;
  void RememberFocus(HWND focus);
  bool RestoreFocus();
  ImagePage image_page_{*this};
  TextPage text_page_{*this};
  ArchivePage archive_page_{*this};
  PictureSaver saver_{*this};
};

}  // namespace zk
