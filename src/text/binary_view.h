// The summary picture for files that get no other view: the shell icon and
// the extension, on a background that tells folders and empty files apart.
#pragma once

#include <windows.h>

#include <string>

#include "base/win_handles.h"

namespace zk {

inline constexpr COLORREF kEmptyFileColor = RGB(255, 0, 0);
inline constexpr COLORREF kFolderColor = RGB(0, 255, 0);

// The text drawn for a file: the extension without its dot ("?" without one),
// "* " in front when over the read limit, then " ファイル".
std::u16string BinaryViewLabel(const std::u16string& path, bool size_over);

// Where the summary picture goes: the window that shows it passes its
// picture control and status line in through this.
class BinaryViewTarget {
 public:
  virtual ~BinaryViewTarget() = default;
  virtual void SetStatus(const std::u16string& text) = 0;
  // Brings the picture control up filling its page; returns the control,
  // whose client size the picture takes.
  virtual HWND ShowPictureControl() = 0;
  // The colour behind the picture, for files that are neither folders nor empty.
  virtual COLORREF BackgroundColor() = 0;
  // The font the label is drawn in at twice its size; null for the system's.
  virtual HFONT CanvasFont() = 0;
  virtual void SetPicture(UniqueBitmap picture) = 0;
};

// Draws the picture for `path` and shows it through the target.
void ShowBinaryView(BinaryViewTarget& target, const std::u16string& path, bool size_over);

}  // namespace zk
