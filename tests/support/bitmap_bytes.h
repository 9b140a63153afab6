#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <span>
#include <vector>

// Windows bitmap files for the picture tests of both front-ends, the form
// and the fuzzer, without a toolkit: the headers written field by field, for
// the files that no tool would write (hostile ones, and each term of the
// picture check), pictures painted pixel by pixel, and the one change that no
// tool makes (rows stored top-down).
namespace plinthar::testing {

inline constexpr std::uint32_t kBitFields = 3;  // BI_BITFIELDS

// An uncompressed or bit-field bitmap; by default 24 bits with a
// BITMAPINFOHEADER.
struct DibHeader {
  std::int32_t width = 0;
  std::int32_t height = 0;  // negative: rows stored top-down
  std::uint16_t bits = 24;
  std::uint32_t coloursUsed = 0;
  std::uint32_t paletteEntries = 0;  // written after the header (and masks)
  std::uint32_t declaredSize = 0;    // the whole file's when it must lie, else 0
  std::uint32_t infoSize = 40;       // 52, 56, 108, 124: the later headers
  std::uint32_t compression = 0;     // kBitFields: colour masks
  std::uint32_t pixelOffset = 0;     // when it must lie, else 0
};

}  // namespace plinthar::testing

// The builders take their own namespace, so that the Qt tests' QByteArray
// versions of them (bitmap_files.h) can keep the plain names.
namespace plinthar::testing::bmp {

using Bytes = std::vector<std::uint8_t>;

// Bitmap headers store their fields little-endian, whatever the machine.
inline void AppendU16(Bytes& bytes, std::uint16_t value) {
  bytes.push_back(static_cast<std::uint8_t>(value & 0xFFU));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8U));
}

inline void AppendU32(Bytes& bytes, std::uint32_t value) {
  AppendU16(bytes, static_cast<std::uint16_t>(value & 0xFFFFU));
  AppendU16(bytes, static_cast<std::uint16_t>(value >> 16U));
}

// Overwrites `size` bytes at `at` with a little-endian value.
inline void WriteLittleEndian(Bytes& bytes, std::size_t at, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) {
    bytes.at(at + static_cast<std::size_t>(i)) =
        static_cast<std::uint8_t>((value >> (8 * i)) & 0xFFU);
  }
}

inline std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8U) |
         (static_cast<std::uint32_t>(bytes[at + 2]) << 16U) |
         (static_cast<std::uint32_t>(bytes[at + 3]) << 24U);
}

inline constexpr int kFileHeaderSize = 14;
inline constexpr int kInfoHeaderSize = 40;

// Rows are padded to whole 32-bit words.
inline std::int64_t Stride(const DibHeader& header) {
  return (std::int64_t{header.width} * header.bits + 31) / 32 * 4;
}

// A plain BITMAPINFOHEADER is followed by its three colour masks; the later
// headers hold them inside.
inline bool MasksFollowHeader(const DibHeader& header) {
  return header.compression == kBitFields && header.infoSize == kInfoHeaderSize;
}

// Where the rows start when nothing lies between the tables and the pixels.
inline std::int64_t TablesEnd(const DibHeader& header) {
  return kFileHeaderSize + std::int64_t{header.infoSize} + (MasksFollowHeader(header) ? 12 : 0) +
         std::int64_t{header.paletteEntries} * 4;
}

inline std::int64_t PixelOffset(const DibHeader& header) {
  return header.pixelOffset != 0 ? header.pixelOffset : TablesEnd(header);
}

// The masks of 5-6-5 at 16 bits and of 8-8-8 otherwise: red, green, blue.
inline std::uint32_t ColourMask(const DibHeader& header, std::size_t channel) {
  constexpr std::array<std::uint32_t, 3> kMasks16 = {0xF800, 0x07E0, 0x001F};
  constexpr std::array<std::uint32_t, 3> kMasks32 = {0xFF0000, 0xFF00, 0xFF};
  return header.bits == 16 ? kMasks16.at(channel) : kMasks32.at(channel);
}

// The file header, the info header and any masks after it; the palette and
// the rows follow.
inline Bytes HeaderBytes(const DibHeader& header) {
  constexpr std::int64_t kLargest = std::numeric_limits<std::uint32_t>::max();
  const std::int64_t imageSize = Stride(header) * std::abs(std::int64_t{header.height});
  const std::int64_t fileSize = TablesEnd(header) + imageSize;
  Bytes bytes{'B', 'M'};
  AppendU32(bytes, header.declaredSize != 0
                       ? header.declaredSize
                       : static_cast<std::uint32_t>(std::min(fileSize, kLargest)));
  AppendU32(bytes, 0);
  AppendU32(bytes, static_cast<std::uint32_t>(PixelOffset(header)));
  AppendU32(bytes, header.infoSize);
  AppendU32(bytes, static_cast<std::uint32_t>(header.width));
  AppendU32(bytes, static_cast<std::uint32_t>(header.height));
  AppendU16(bytes, 1);
  AppendU16(bytes, header.bits);
  AppendU32(bytes, header.compression);
  AppendU32(bytes, static_cast<std::uint32_t>(std::min(imageSize, kLargest)));
  AppendU32(bytes, 3780);  // 96 dpi in pixels per metre
  AppendU32(bytes, 3780);
  AppendU32(bytes, header.coloursUsed);
  AppendU32(bytes, 0);
  const bool masks = header.compression == kBitFields;
  for (std::uint32_t at = kInfoHeaderSize; at < header.infoSize; at += 4) {
    // The later headers' red, green and blue masks sit where the masks after
    // a plain header would; the rest (alpha, colour space) is zero.
    const std::size_t channel = (at - kInfoHeaderSize) / 4;
    AppendU32(bytes, masks && channel < 3 ? ColourMask(header, channel) : 0);
  }
  if (MasksFollowHeader(header)) {
    for (std::size_t channel = 0; channel < 3; ++channel) {
      AppendU32(bytes, ColourMask(header, channel));
    }
  }
  return bytes;
}

// A complete picture of any kind the header describes: the headers, a
// palette of grey entries and rows of a pattern that differs from row to row,
// the rows where the header puts them (a pixel offset past the tables leaves
// a gap of zeros).
inline Bytes BitmapBytes(const DibHeader& header) {
  Bytes bytes = HeaderBytes(header);
  for (std::uint32_t i = 0; i < header.paletteEntries; ++i) {
    const auto grey = static_cast<std::uint8_t>(i * 37);
    AppendU32(bytes, grey * 0x010101U);
  }
  while (static_cast<std::int64_t>(bytes.size()) < PixelOffset(header)) {
    bytes.push_back(0);
  }
  const std::int64_t stride = Stride(header);
  const std::int64_t rows = std::abs(std::int64_t{header.height});
  for (std::int64_t row = 0; row < rows; ++row) {
    for (std::int64_t i = 0; i < stride; ++i) {
      bytes.push_back(static_cast<std::uint8_t>((row * 29 + i * 7) & 0xFF));
    }
  }
  return bytes;
}

struct Rgb {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
};

// A 24-bit picture whose pixel x, y (y counted from the top) has the colour
// colour(x, y) gives, its rows stored bottom-up, or top-down with a negative
// height.
template <typename Colour>
Bytes PaintedBitmap(int width, int height, bool topDown, Colour colour) {
  const DibHeader header{.width = width, .height = topDown ? -height : height};
  Bytes bytes = HeaderBytes(header);
  const auto stride = static_cast<std::size_t>(Stride(header));
  const std::size_t pixels = bytes.size();
  bytes.resize(pixels + stride * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    const int row = topDown ? y : height - 1 - y;
    for (int x = 0; x < width; ++x) {
      const Rgb rgb = colour(x, y);
      const std::size_t at =
          pixels + static_cast<std::size_t>(row) * stride + static_cast<std::size_t>(x) * 3;
      bytes[at] = rgb.blue;
      bytes[at + 1] = rgb.green;
      bytes[at + 2] = rgb.red;
    }
  }
  return bytes;
}

// The same picture with its rows stored top-down: the height negated and the
// rows reversed, every other byte as the writer left it. Nothing for bytes
// that are not a complete bottom-up bitmap.
inline Bytes TopDown(std::span<const std::uint8_t> bottomUp) {
  if (bottomUp.size() < static_cast<std::size_t>(kFileHeaderSize + kInfoHeaderSize)) {
    return {};
  }
  const std::int64_t pixelOffset = ReadU32(bottomUp, 10);
  const std::int64_t width = static_cast<std::int32_t>(ReadU32(bottomUp, 18));
  const std::int64_t height = static_cast<std::int32_t>(ReadU32(bottomUp, 22));
  const std::int64_t bits = ReadU32(bottomUp, 28) & 0xFFFFU;
  const std::int64_t stride = (width * bits + 31) / 32 * 4;
  if (height <= 0 || pixelOffset + stride * height > static_cast<std::int64_t>(bottomUp.size())) {
    return {};
  }
  Bytes topDown(bottomUp.begin(), bottomUp.end());
  Bytes negated;
  AppendU32(negated, static_cast<std::uint32_t>(-height));
  std::copy(negated.begin(), negated.end(), topDown.begin() + 22);
  for (std::int64_t row = 0; row < height; ++row) {
    std::copy_n(bottomUp.begin() + pixelOffset + row * stride, stride,
                topDown.begin() + pixelOffset + (height - 1 - row) * stride);
  }
  return topDown;
}

}  // namespace plinthar::testing::bmp
