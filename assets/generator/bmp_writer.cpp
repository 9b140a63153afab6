#include "bmp_writer.h"

#include "dib_rows.h"

namespace plinthar::assets {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
// 96 dots per inch, the resolution the window is laid out for.
constexpr std::int32_t kPixelsPerMetre = 3780;

}  // namespace

Bytes EncodeBmp(const IndexedImage& image) {
  const std::uint32_t image_size =
      DibStride(image.width, 8) * static_cast<std::uint32_t>(image.height);
  const std::uint32_t pixel_offset = kFileHeaderSize + kInfoHeaderSize + kDibPaletteBytes;
  const std::uint32_t file_size = pixel_offset + image_size;

  Bytes out;
  out.reserve(file_size);
  PutText(out, "BM");
  PutLittle32(out, file_size);
  PutLittle32(out, 0);  // two reserved words
  PutLittle32(out, pixel_offset);
  PutInfoHeader(out, {.width = image.width,
                      .height = image.height,
                      .bits_per_pixel = 8,
                      .image_size = image_size,
                      .pixels_per_metre = kPixelsPerMetre,
                      .colours_used = static_cast<std::uint32_t>(kMaxPaletteSize)});
  PutDibPalette(out, image);
  PutIndexedRows(out, image);
  return out;
}

}  // namespace plinthar::assets
