// The program's window font, which its dialogs and the main window's plain
// controls share.
#pragma once

#include "base/dpi_sizes.h"
#include "base/win_handles.h"

namespace zk {

// Tahoma, height -11 at 96 DPI, scaled to dpi.
UniqueFont CreateDialogFont(int dpi = kDesignDpi);

}  // namespace zk
