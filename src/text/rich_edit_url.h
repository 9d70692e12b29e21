// The text control (`TRichEditURL`): a read-only rich-edit control that
// underlines web addresses and reports a left click on one.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace zk {

class TRichEditURL {
 public:
  TRichEditURL() = default;
  ~TRichEditURL();
  TRichEditURL(const TRichEditURL&) = delete;
  TRichEditURL& operator=(const TRichEditURL&) = delete;

  bool Create(HWND parent, int id);
  HWND hwnd() const { return wnd_; }

  // Raised with the link's text on a left-button press on a detected link.
  std::function<void(TRichEditURL& sender, const std::u16string& url)> OnURLClick;
  // The parent passes its WM_NOTIFY here; true when it was this control's link.
  bool HandleNotify(const NMHDR* header);
  // Raised after the control has handled a left double click itself.
  std::function<void(TRichEditURL& sender)> OnDblClick;

  // Replaces the whole text in one update.
  void SetText(const std::u16string& text);
  // Puts a line in front of the whole text.
  void InsertFirstLine(const std::u16string& line);
  // Appends at the end without moving the caret or the view.
  void AppendText(const std::u16string& text);
  // Replaces the whole content with rich text (RTF).
  bool LoadRtf(const std::string& rtf);
  void Clear();
  std::u16string Text() const;

  // Display lines (wrapped lines count more than once); an empty last line
  // is not counted.
  int LineCount() const;

  std::u16string SelectedText() const;
  bool HasSelection() const;
  void SelectAll();
  void SetFont(HFONT font, COLORREF color);

  void SetVisible(bool visible);
  bool visible() const;

 private:
  static constexpr LRESULT kRecreateAbove = 32 * 1024;
  bool CreateWindowOnly();
  void Recreate();

  HWND wnd_ = nullptr;
  HWND parent_ = nullptr;
  int id_ = 0;
  const wchar_t* class_name_ = nullptr;
  COLORREF color_ = 0;
  HMODULE library_ = nullptr;
};

}  // namespace zk
