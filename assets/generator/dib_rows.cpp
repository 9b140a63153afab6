#include "dib_rows.h"

namespace plinthar::assets {

std::uint32_t DibStride(int width, int bits_per_pixel) {
  const auto bits = static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(bits_per_pixel);
  return ((bits + 31U) / 32U) * 4U;
}

void PutInfoHeader(Bytes& out, const InfoHeader& header) {
  PutLittle32(out, kInfoHeaderSize);
  PutLittle32(out, static_cast<std::uint32_t>(header.width));
  PutLittle32(out, static_cast<std::uint32_t>(header.height));
  PutLittle16(out, 1);  // colour planes
  PutLittle16(out, header.bits_per_pixel);
  PutLittle32(out, 0);  // BI_RGB: not compressed
  PutLittle32(out, header.image_size);
  PutLittle32(out, static_cast<std::uint32_t>(header.pixels_per_metre));
  PutLittle32(out, static_cast<std::uint32_t>(header.pixels_per_metre));
  PutLittle32(out, header.colours_used);
  PutLittle32(out, 0);  // every colour is important
}

void PutDibPalette(Bytes& out, const IndexedImage& image) {
  for (std::size_t i = 0; i < kMaxPaletteSize; ++i) {
    const Colour colour = i < image.palette.size() ? image.palette[i] : Colour{};
    out.push_back(colour.blue);
    out.push_back(colour.green);
    out.push_back(colour.red);
    out.push_back(0);
  }
}

void PutIndexedRows(Bytes& out, const IndexedImage& image) {
  const std::uint32_t padding = DibStride(image.width, 8) - static_cast<std::uint32_t>(image.width);
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      out.push_back(image.At(x, y));
    }
    out.insert(out.end(), padding, 0);
  }
}

}  // namespace plinthar::assets
