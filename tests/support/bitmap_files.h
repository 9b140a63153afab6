#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

// Windows bitmap files for the picture tests: the headers written field by
// field, for the files that no tool would write (hostile ones), and the one
// change that no tool makes (rows stored top-down). No toolkit: the bytes go
// into any container of bytes with push_back (std::vector<std::uint8_t> by
// default, QByteArray for the window tests), so that the form tests, the
// Windows build and the fuzzer share them.
namespace plinthar::testing {

using Bytes = std::vector<std::uint8_t>;

inline constexpr int kFileHeaderSize = 14;
inline constexpr int kInfoHeaderSize = 40;
inline constexpr std::uint32_t kBitFields = 3;  // BI_BITFIELDS

// Bitmap headers store their fields little-endian, whatever the machine.
template <typename Container>
void AppendLittleEndian(Container& bytes, std::uint64_t value, int size) {
  for (int i = 0; i < size; ++i) {
    bytes.push_back(static_cast<typename Container::value_type>((value >> (8 * i)) & 0xFFU));
  }
}

template <typename Container>
void AppendU16(Container& bytes, std::uint16_t value) {
  AppendLittleEndian(bytes, value, 2);
}

template <typename Container>
void AppendU32(Container& bytes, std::uint32_t value) {
  AppendLittleEndian(bytes, value, 4);
}

template <typename Container>
std::int64_t ReadLittleEndian(const Container& bytes, std::size_t offset, int size) {
  std::uint64_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = (value << 8U) |
            static_cast<std::uint8_t>(bytes.begin()[static_cast<std::ptrdiff_t>(offset) + i]);
  }
  return static_cast<std::int64_t>(value);
}

template <typename Container>
void WriteLittleEndian(Container& bytes, std::size_t offset, std::uint64_t value, int size) {
  for (int i = 0; i < size; ++i) {
    bytes.begin()[static_cast<std::ptrdiff_t>(offset) + i] =
        static_cast<typename Container::value_type>((value >> (8 * i)) & 0xFFU);
  }
}

// An uncompressed or bit-field bitmap; by default 24 bits with a
// BITMAPINFOHEADER.
struct DibHeader {
  std::int32_t width = 0;
  std::int32_t height = 0;  // negative: rows stored top-down
  std::uint16_t bits = 24;
  std::uint32_t coloursUsed = 0;
  std::uint32_t paletteEntries = 0;          // written after the header (and masks)
  std::uint32_t declaredSize = 0;            // the whole file's when it must lie, else 0
  std::uint32_t infoSize = kInfoHeaderSize;  // 52, 56, 108, 124: the later headers
  std::uint32_t compression = 0;             // kBitFields: colour masks
  std::uint32_t pixelOffset = 0;             // when it must lie, else 0
};

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
inline std::uint32_t ColourMask(const DibHeader& header, int channel) {
  constexpr std::array<std::uint32_t, 3> kMasks16 = {0xF800, 0x07E0, 0x001F};
  constexpr std::array<std::uint32_t, 3> kMasks32 = {0xFF0000, 0xFF00, 0xFF};
  const auto index = static_cast<std::size_t>(channel);
  return header.bits == 16 ? kMasks16.at(index) : kMasks32.at(index);
}

// The file header, the info header and any masks after it; the palette and
// the rows follow.
template <typename Container = Bytes>
Container HeaderBytes(const DibHeader& header) {
  constexpr std::int64_t kLargest = std::numeric_limits<std::uint32_t>::max();
  const std::int64_t imageSize = Stride(header) * std::abs(std::int64_t{header.height});
  const std::int64_t fileSize = TablesEnd(header) + imageSize;
  Container bytes;
  bytes.push_back('B');
  bytes.push_back('M');
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
    // The later headers' red, green and blue masks sit where the masks
    // after a plain header would; the rest (alpha, colour space) is zero.
    const auto channel = static_cast<int>((at - kInfoHeaderSize) / 4);
    AppendU32(bytes, masks && channel < 3 ? ColourMask(header, channel) : 0);
  }
  if (MasksFollowHeader(header)) {
    for (int channel = 0; channel < 3; ++channel) {
      AppendU32(bytes, ColourMask(header, channel));
    }
  }
  return bytes;
}

// A complete picture: the headers, a palette of grey entries and rows of a
// pattern that differs from row to row, its rows where the header puts them
// (a pixel offset past the tables leaves a gap of zeros).
template <typename Container = Bytes>
Container BitmapBytes(const DibHeader& header) {
  auto bytes = HeaderBytes<Container>(header);
  for (std::uint32_t i = 0; i < header.paletteEntries; ++i) {
    const auto grey = static_cast<std::uint8_t>(i * 37);
    AppendLittleEndian(bytes, grey * 0x010101U, 4);
  }
  while (static_cast<std::int64_t>(bytes.size()) < PixelOffset(header)) {
    bytes.push_back(0);
  }
  const std::int64_t stride = Stride(header);
  const std::int64_t rows = std::abs(std::int64_t{header.height});
  for (std::int64_t row = 0; row < rows; ++row) {
    for (std::int64_t i = 0; i < stride; ++i) {
      bytes.push_back(static_cast<typename Container::value_type>((row * 29 + i * 7) & 0xFF));
    }
  }
  return bytes;
}

// The same picture with its rows stored top-down: the height negated and the
// rows reversed, every other byte as the writer left it. Nothing for bytes
// that are not a complete bottom-up bitmap.
template <typename Container>
Container TopDown(const Container& bottomUp) {
  const auto size = static_cast<std::int64_t>(bottomUp.size());
  if (size < kFileHeaderSize + kInfoHeaderSize) {
    return {};
  }
  const std::int64_t pixelOffset = ReadLittleEndian(bottomUp, 10, 4);
  const auto width = static_cast<std::int32_t>(ReadLittleEndian(bottomUp, 18, 4));
  const auto height = static_cast<std::int32_t>(ReadLittleEndian(bottomUp, 22, 4));
  const std::int64_t bits = ReadLittleEndian(bottomUp, 28, 2);
  const std::int64_t stride = (std::int64_t{width} * bits + 31) / 32 * 4;
  if (height <= 0 || pixelOffset + stride * height > size) {
    return {};
  }
  Container topDown = bottomUp;
  WriteLittleEndian(topDown, 22, static_cast<std::uint32_t>(-height), 4);
  for (std::int64_t row = 0; row < height; ++row) {
    std::copy_n(bottomUp.begin() + pixelOffset + row * stride, stride,
                topDown.begin() + pixelOffset + (height - 1 - row) * stride);
  }
  return topDown;
}

}  // namespace plinthar::testing
