// The About box `TZKAboutForm`: three pages without tabs, each with a picture
// that leads to the next page; the program's version, the versions of the
// companion programs and a cycling list of the archiver DLLs and plug-ins.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/model/about_texts.h"
#include "app/controls/link_label.h"
#include "app/controls/page_control.h"
#include "app/controls/picture_box.h"
#include "base/ui/dialog_scale.h"
#include "base/ui/window_base.h"
#include "base/win_handles.h"

namespace zk {

class TZKAboutForm;

// The author's web page the link label opens.
inline constexpr char16_t kAuthorPageUrl[] = u"https://zarvik.example/";

struct AboutFormOptions {
  HWND owner = nullptr;
  std::u16string program_path;     // the program's own file, for its version
  std::u16string everything_path;  // EverythingPath
  std::u16string xdoc2txt_path;    // the located converter
  std::vector<std::u16string> plugin_names;  // file names of the loaded picture plug-ins
  std::vector<std::u16string> builtin_entries;  // the built-in engines with their versions
  // Finds a DLL or plug-in by name; FindProgram when not given.
  std::function<std::u16string(const std::u16string& name)> locate;
  // Opens a web address; the shell when not given.
  std::function<void(const std::u16string& url)> open_url;
  // Runs once the box is on screen, inside its modal loop (tests drive it from here).
  std::function<void(TZKAboutForm&)> on_shown;
  UINT cycle_interval_ms = 1000;
};

class TZKAboutForm : public WindowBase {
 public:
  explicit TZKAboutForm(AboutFormOptions options);
  ~TZKAboutForm() override;

  // Shows the box and returns once it is closed; the owner is disabled meanwhile.
  void ShowModal();
  // Ends the modal loop (Esc, losing the focus, the last picture).
  void Close();
  bool closed() const { return closed_; }

  // The page on view, 0 to 2.
  int page() const { return pages_.active_page(); }
  void ShowPage(int index);
  // What a click on the picture of the page on view does: the next page, or
  // on the last page closing the box.
  void PictureClick();

  // Shows the next entry of the cycling list; the timer runs it once a
  // second while the second page is on view.
  void CycleTimerTimer();
  bool cycling() const { return cycling_; }
  size_t module_entry_count() const { return modules_.size(); }

  // The hint (tooltip text) of a control; a carriage return separates lines.
  std::u16string HintOf(HWND control) const;

  // Page one.
  PictureBox Image1;
  HWND TitleLabel = nullptr;
  HWND VersionLabel = nullptr;
  LinkLabel AuthorLink;
  // Page two.
  PictureBox Image2;
  HWND EverythingLabel = nullptr;
  HWND EverythingVersionLabel = nullptr;
  HWND Xdoc2txtLabel = nullptr;
  HWND Xdoc2txtPathLabel = nullptr;
  HWND ModuleLabel = nullptr;
  // Page three.
  PictureBox Image3;

 private:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  bool Create();
  void CreatePageOne(HWND page, int width);
  void CreatePageTwo(HWND page, int width);
  void CreatePageThree(HWND page, int width, int height);
  HWND AddLabel(HWND page, const RECT& bounds, const std::u16string& text, DWORD style, HFONT font);
  void SetHint(HWND control, const std::u16string& hint);
  void OpenAuthorPage();
  // The box moved to a monitor of another DPI.
  void OnDpiChanged(int dpi, const RECT& suggested);

  AboutFormOptions options_;
  DialogScale scale_;  // the DPI of the owner's monitor
  HWND tooltip_ = nullptr;
  PageControl pages_;
  UniqueFont label_font_;
  UniqueFont title_font_;
  std::map<HWND, std::u16string> hints_;
  CyclingList modules_;
  bool cycling_ = false;
  bool activated_ = false;
  bool closed_ = false;
  bool shown_hook_run_ = false;
};

}  // namespace zk
