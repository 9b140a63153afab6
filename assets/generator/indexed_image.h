#pragma once

#include <cstdint>
#include <vector>

#include "canvas.h"

namespace plinthar::assets {

// A picture in at most 256 colours, as the bitmap, icon and PNG files hold it.
// Rows run top to bottom; each pixel is an index into the palette.
struct IndexedImage {
  int width = 0;
  int height = 0;
  std::vector<Colour> palette;
  std::vector<std::uint8_t> pixels;
  // Icons keep palette entry 0 for the see-through background.
  bool index_zero_transparent = false;

  [[nodiscard]] std::uint8_t At(int x, int y) const {
    return pixels[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width)) +
                  static_cast<std::size_t>(x)];
  }
  [[nodiscard]] bool IsTransparent(int x, int y) const {
    return index_zero_transparent && At(x, y) == 0;
  }
};

constexpr std::size_t kMaxPaletteSize = 256;

// Reduces a canvas to indexed colour. The palette lists the colours in the
// order in which a scan from the top-left corner meets them, so that it is the
// same on every run. Should the drawing hold more colours than fit, the
// channels are rounded ever more coarsely until they do.
//
// With `transparent_background`, a pixel less than half covered becomes the
// see-through entry 0, and a covered one takes its drawn colour unblended, as
// a one-bit mask allows no partial transparency.
IndexedImage ToIndexedImage(const Canvas& canvas, bool transparent_background);

}  // namespace plinthar::assets
