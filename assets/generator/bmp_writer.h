#pragma once

#include "byte_buffer.h"
#include "indexed_image.h"

namespace plinthar::assets {

// A Windows bitmap file: BITMAPFILEHEADER, BITMAPINFOHEADER, a palette of
// 256 entries and uncompressed 8-bit rows, bottom-up.
Bytes EncodeBmp(const IndexedImage& image);

}  // namespace plinthar::assets
