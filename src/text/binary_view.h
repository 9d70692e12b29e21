// The summary picture for files that get no other view: the shell icon and
// the extension, on a background that tells folders and empty files apart.
#pragma once

#include <windows.h>

#include <string>

namespace zk {

class TZKMainForm;

inline constexpr COLORREF kEmptyFileColor = RGB(255, 0, 0);
inline constexpr COLORREF kFolderColor = RGB(0, 255, 0);

// The text drawn for a file: the extension without its dot ("?" without one),
// "* " in front when over the read limit, then " ファイル".
std::u16string BinaryViewLabel(const std::u16string& path, bool size_over);

// Draws into the picture control and shows the image page (view kind vfBinary).
void ShowBinaryView(TZKMainForm& form, const std::u16string& path, bool size_over);

}  // namespace zk
