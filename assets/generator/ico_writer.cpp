#include "ico_writer.h"

#include "dib_rows.h"

namespace plinthar::assets {
namespace {

constexpr std::uint32_t kDirectorySize = 6;
constexpr std::uint32_t kEntrySize = 16;

// The mask rows, bottom row first, a set bit for each see-through pixel.
void PutAndMask(Bytes& out, const IndexedImage& image) {
  const std::uint32_t stride = DibStride(image.width, 1);
  for (int y = image.height - 1; y >= 0; --y) {
    Bytes row(stride, 0);
    for (int x = 0; x < image.width; ++x) {
      if (image.IsTransparent(x, y)) {
        row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80U >> (x % 8));
      }
    }
    PutBytes(out, row);
  }
}

}  // namespace

Bytes EncodeIco(const IndexedImage& image) {
  const auto height = static_cast<std::uint32_t>(image.height);
  const std::uint32_t colour_size = DibStride(image.width, 8) * height;
  const std::uint32_t mask_size = DibStride(image.width, 1) * height;
  const std::uint32_t entry_size = kInfoHeaderSize + kDibPaletteBytes + colour_size + mask_size;
  const std::uint32_t entry_offset = kDirectorySize + kEntrySize;

  Bytes out;
  out.reserve(entry_offset + entry_size);
  PutLittle16(out, 0);  // reserved
  PutLittle16(out, 1);  // resource type: icon
  PutLittle16(out, 1);  // one image

  // Sizes of 256 and a full palette are written as 0 in these one-byte fields.
  out.push_back(static_cast<std::uint8_t>(image.width));
  out.push_back(static_cast<std::uint8_t>(image.height));
  out.push_back(0);     // colour count: 256
  out.push_back(0);     // reserved
  PutLittle16(out, 1);  // colour planes
  PutLittle16(out, 8);  // bits per pixel
  PutLittle32(out, entry_size);
  PutLittle32(out, entry_offset);

  // The bitmap's height counts the colour rows and the mask rows together.
  PutInfoHeader(out, {.width = image.width,
                      .height = image.height * 2,
                      .bits_per_pixel = 8,
                      .image_size = colour_size + mask_size,
                      .pixels_per_metre = 0,
                      .colours_used = 0});
  PutDibPalette(out, image);
  PutIndexedRows(out, image);
  PutAndMask(out, image);
  return out;
}

}  // namespace plinthar::assets
