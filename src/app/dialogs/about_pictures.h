// The pictures of the About box, drawn in code so that they need no resource.
#pragma once

#include <windows.h>

#include "base/win_handles.h"

namespace zk {

// The program's emblem (the magnifier over a page on a blue tile), size x size.
UniqueBitmap DrawAboutEmblem(int size, COLORREF background);

// The last page's picture: a result list whose selected line is shown in the
// preview window beside it, width x height.
UniqueBitmap DrawAboutScenery(int width, int height);

}  // namespace zk
