// The program's window font, which its dialogs and the main window's plain
// controls share.
#pragma once

#include "base/win_handles.h"

namespace zk {

// Tahoma, height -11.
UniqueFont CreateDialogFont();

}  // namespace zk
