// The pictures of the toolbar's commands, drawn by the program itself at
// four times their size and reduced smoothly, with soft transparent edges.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace zk {

constexpr int kToolbarPictureCount = 14;

struct ImageListTraits {
  static HIMAGELIST Invalid() { return nullptr; }
  static bool IsValid(HIMAGELIST h) { return h != nullptr; }
  static void Close(HIMAGELIST h) { ImageList_Destroy(h); }
};

// An image list of the pictures at `size` pixels (32 for the toolbar, 16 for menus).
HIMAGELIST MakeToolbarImageList(int size);

}  // namespace zk
