#pragma once

#include "indexed_image.h"

namespace plinthar::assets {

// The program's icon: a grey dual-in-line chip lying on its pins, seen from
// the front left and a little from above, the notch marking pin 1's end. The
// drawing is made for each size, so that the 48-pixel icon is as sharp as
// the 32-pixel one. The background is transparent (palette entry 0).
IndexedImage DrawChipIcon(int size);

}  // namespace plinthar::assets
