#include "base/ui/dialog_font.h"

namespace zk {

UniqueFont CreateDialogFont(int dpi) {
  return UniqueFont(CreateFontW(ScaleForDpi(-11, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                L"Tahoma"));
}

}  // namespace zk
