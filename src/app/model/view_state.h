// What the viewer has on screen.
#pragma once

#include <cstdint>

namespace zk {

enum ViewFileType : uint8_t {
  vfBinary = 0,  // icon and extension drawing on the image page
  vfImage = 1,   // a picture on the image page
  vfText = 2,    // text on the text page
  vfArc = 3,     // an archive member list
  vfTemp = 4,    // nothing: the state right after ClearView
};

}  // namespace zk
