#pragma once

#include <cstdint>

#include "byte_buffer.h"
#include "indexed_image.h"

namespace plinthar::assets {

// The parts that a BMP file and an icon entry share: a device-independent
// bitmap with a BITMAPINFOHEADER, a palette of 256 entries and bottom-up rows.

inline constexpr std::uint32_t kInfoHeaderSize = 40;
inline constexpr std::uint32_t kDibPaletteBytes = 256 * 4;

// Bytes in one stored row of `bits_per_pixel`: rows are padded to 4 bytes.
std::uint32_t DibStride(int width, int bits_per_pixel);

struct InfoHeader {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t bits_per_pixel = 8;
  std::uint32_t image_size = 0;
  std::int32_t pixels_per_metre = 0;
  std::uint32_t colours_used = 0;
};

void PutInfoHeader(Bytes& out, const InfoHeader& header);
// All 256 entries, blue-green-red-reserved; unused ones are black.
void PutDibPalette(Bytes& out, const IndexedImage& image);
// The palette indices, bottom row first, each row padded to 4 bytes.
void PutIndexedRows(Bytes& out, const IndexedImage& image);

}  // namespace plinthar::assets
