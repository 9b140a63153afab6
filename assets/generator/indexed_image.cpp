#include "indexed_image.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace plinthar::assets {
namespace {

std::uint8_t RoundChannel(std::uint8_t value, int dropped_bits) {
  if (dropped_bits == 0) {
    return value;
  }
  const int step = 1 << dropped_bits;
  const int rounded = ((value + (step / 2)) / step) * step;
  return static_cast<std::uint8_t>(std::min(rounded, 255));
}

Colour RoundColour(Colour colour, int dropped_bits) {
  return {RoundChannel(colour.red, dropped_bits), RoundChannel(colour.green, dropped_bits),
          RoundChannel(colour.blue, dropped_bits)};
}

std::uint32_t Key(Colour colour) {
  return (static_cast<std::uint32_t>(colour.red) << 16U) |
         (static_cast<std::uint32_t>(colour.green) << 8U) | colour.blue;
}

// Indexes the opaque pixels with channels rounded by `dropped_bits`, or gives
// up as soon as the palette would overflow.
std::optional<IndexedImage> TryIndex(const Canvas& canvas, bool transparent_background,
                                     int dropped_bits) {
  IndexedImage image;
  image.width = canvas.Width();
  image.height = canvas.Height();
  image.index_zero_transparent = transparent_background;
  image.pixels.reserve(static_cast<std::size_t>(image.width) *
                       static_cast<std::size_t>(image.height));
  if (transparent_background) {
    image.palette.push_back({});
  }
  std::unordered_map<std::uint32_t, std::uint8_t> index_of;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (transparent_background && canvas.Coverage(x, y) < 0.5) {
        image.pixels.push_back(0);
        continue;
      }
      const Colour colour = RoundColour(canvas.ColourAt(x, y), dropped_bits);
      const auto [entry, added] =
          index_of.try_emplace(Key(colour), static_cast<std::uint8_t>(image.palette.size()));
      if (added) {
        if (image.palette.size() == kMaxPaletteSize) {
          return std::nullopt;
        }
        image.palette.push_back(colour);
      }
      image.pixels.push_back(entry->second);
    }
  }
  return image;
}

}  // namespace

IndexedImage ToIndexedImage(const Canvas& canvas, bool transparent_background) {
  // Seven dropped bits leave at most 27 colours, so the loop always ends.
  for (int dropped_bits = 0;; ++dropped_bits) {
    if (auto image = TryIndex(canvas, transparent_background, dropped_bits)) {
      return *std::move(image);
    }
  }
}

}  // namespace plinthar::assets
