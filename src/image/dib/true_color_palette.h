// The colour selection behind TNkDIB::CreateTrueColorPalette: up to a given
// number of colours that represent a 24-bit picture on displays with a
// palette.
#pragma once

#include <vector>

#include "image/dib/nk_dib.h"

namespace zk {

// The picture's own colours when it has no more than max_colors of them;
// otherwise a median cut over a 5-bit-per-channel histogram, each colour the
// mean of the pixels it stands for. dib must be 24-bit plain.
std::vector<RgbQuad> ChooseTrueColorPalette(const TNkInternalDIB& dib, int max_colors);

}  // namespace zk
