#pragma once

#include "byte_buffer.h"
#include "indexed_image.h"

namespace plinthar::assets {

// A PNG file in indexed colour, with a transparency entry when palette entry 0
// is see-through. The image data goes into stored (uncompressed) deflate
// blocks: the icons are small, and the bytes then depend on no compression
// library and its version. No time, text or other varying chunk is written.
Bytes EncodePng(const IndexedImage& image);

}  // namespace plinthar::assets
