// The text page of the main window: the text control `RichEditURL` with the
// hidden memo `FontTestMemo` that keeps the text font, and the views that
// fill it: text files with the staged display of long texts, MP3 tag
// summaries, converted documents and outline chapters; the font zoom.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/model/page_host.h"
#include "app/model/settings.h"
#include "base/dpi_sizes.h"
#include "base/win_handles.h"
#include "text/rich_edit_url.h"

namespace zk {

class TReadTextThread;

// Posted by the background text reader when a piece is ready.
inline constexpr UINT kTextPieceMessage = WM_APP + 1;

class TextPage {
 public:
  // What the page needs from the window around it.
  class Host : public PageHost {
   public:
    // Brings the text page on view once a view has filled it.
    virtual void ShowTextView() = 0;
    // Shows the file as the summary picture instead (text holding a NUL, empty tags).
    virtual void ShowBinaryView(const std::u16string& path, bool size_over) = 0;

   protected:
    ~Host() = default;
  };

  explicit TextPage(Host& host);
  ~TextPage();
  TextPage(const TextPage&) = delete;
  TextPage& operator=(const TextPage&) = delete;

  // The memo first: it exists from the window's creation; the text control
  // is made at start-up. `notify` receives the reader's kTextPieceMessage.
  void CreateMemo(HWND page, int id, HFONT ui_font);
  void CreateTextControl(HWND notify, const FontSetting& font);
  void Layout(int width, int height);

  TRichEditURL& RichEditURL() { return rich_edit_; }
  const TRichEditURL& RichEditURL() const { return rich_edit_; }
  HWND FontTestMemo() const { return memo_; }

  // Empties the page and stops a running reader.
  void Clear();
  // Stops a running reader; at exit.
  void StopReader();
  void ShowTextFile(const std::u16string& path, bool use_pre_thread);
  void ShowMp3Summary(const std::u16string& path);
  void ShowConvertedDocument(const std::u16string& converter, const std::u16string& path);
  bool ShowOutlineDocument(const std::u16string& path);
  // Takes the reader's next piece; runs on kTextPieceMessage.
  void OnTextPiece();
  bool reading() const { return reader_ != nullptr; }

  // The text font as set, forgetting any zoom; and one zoom step for the text
  // on view (Clear goes back to the font as set).
  void ApplyFont(const FontSetting& font);
  // The DPI the text font's height (kept at 96 DPI) is scaled to; ApplyFont then shows it.
  void SetDpi(int dpi) { dpi_ = dpi; }
  void ZoomFont(int tag);

  bool HasSelection() const { return rich_edit_.HasSelection(); }

 private:
  void ForgetZoom();

  Host& host_;
  HWND page_ = nullptr;
  HWND notify_ = nullptr;
  TRichEditURL rich_edit_;
  HWND memo_ = nullptr;
  FontSetting configured_;
  UniqueFont font_;         // the configured font, also the memo's
  UniqueFont zoomed_font_;  // the text on view's zoomed font; empty when not zoomed
  COLORREF color_ = 0;
  int zoomed_points_ = 0;  // the zoomed font size; 0: as set
  int dpi_ = kDesignDpi;
  std::unique_ptr<TReadTextThread> reader_;
};

}  // namespace zk
