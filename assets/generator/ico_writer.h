#pragma once

#include "byte_buffer.h"
#include "indexed_image.h"

namespace plinthar::assets {

// A Windows icon file with one classic entry: an 8-bit indexed bitmap and its
// one-bit AND mask, which every version of Windows and every resource
// compiler reads. Transparent pixels are black in the colour bitmap and set
// in the mask.
Bytes EncodeIco(const IndexedImage& image);

}  // namespace plinthar::assets
