#pragma once

#include <QByteArray>
#include <QtEndian>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

// Windows bitmap files for the picture tests: the headers written field by
// field, for the files that no tool would write (hostile ones), and the one
// change that no tool makes (rows stored top-down).
namespace plinthar::testing {

// Bitmap headers store their fields little-endian, whatever the machine.
inline void AppendU16(QByteArray& bytes, std::uint16_t value) {
  const auto le = qToLittleEndian(value);
  bytes.append(reinterpret_cast<const char*>(&le), sizeof le);
}

inline void AppendU32(QByteArray& bytes, std::uint32_t value) {
  const auto le = qToLittleEndian(value);
  bytes.append(reinterpret_cast<const char*>(&le), sizeof le);
}

inline constexpr int kFileHeaderSize = 14;
inline constexpr int kInfoHeaderSize = 40;

// An uncompressed bitmap with a BITMAPINFOHEADER.
struct DibHeader {
  std::int32_t width = 0;
  std::int32_t height = 0;  // negative: rows stored top-down
  std::uint16_t bits = 24;
  std::uint32_t coloursUsed = 0;
  std::uint32_t paletteEntries = 0;  // written after the header
  std::uint32_t declaredSize = 0;    // the whole file's when it must lie, else 0
};

// Rows are padded to whole 32-bit words.
inline qint64 Stride(const DibHeader& header) {
  return (qint64{header.width} * header.bits + 31) / 32 * 4;
}

inline qint64 PixelOffset(const DibHeader& header) {
  return kFileHeaderSize + kInfoHeaderSize + qint64{header.paletteEntries} * 4;
}

// The file header and the info header; the palette and the rows follow.
inline QByteArray HeaderBytes(const DibHeader& header) {
  constexpr qint64 kLargest = std::numeric_limits<std::uint32_t>::max();
  const qint64 imageSize = Stride(header) * std::abs(qint64{header.height});
  const qint64 fileSize = PixelOffset(header) + imageSize;
  QByteArray bytes("BM");
  AppendU32(bytes, header.declaredSize != 0
                       ? header.declaredSize
                       : static_cast<std::uint32_t>(std::min(fileSize, kLargest)));
  AppendU32(bytes, 0);
  AppendU32(bytes, static_cast<std::uint32_t>(PixelOffset(header)));
  AppendU32(bytes, kInfoHeaderSize);
  AppendU32(bytes, static_cast<std::uint32_t>(header.width));
  AppendU32(bytes, static_cast<std::uint32_t>(header.height));
  AppendU16(bytes, 1);
  AppendU16(bytes, header.bits);
  AppendU32(bytes, 0);  // uncompressed
  AppendU32(bytes, static_cast<std::uint32_t>(std::min(imageSize, kLargest)));
  AppendU32(bytes, 3780);  // 96 dpi in pixels per metre
  AppendU32(bytes, 3780);
  AppendU32(bytes, header.coloursUsed);
  AppendU32(bytes, 0);
  return bytes;
}

// The same picture with its rows stored top-down: the height negated and the
// rows reversed, every other byte as the writer left it. Nothing for bytes
// that are not a complete bottom-up bitmap.
inline QByteArray TopDown(const QByteArray& bottomUp) {
  if (bottomUp.size() < kFileHeaderSize + kInfoHeaderSize) {
    return {};
  }
  const auto* data = bottomUp.constData();
  const qint64 pixelOffset = qFromLittleEndian<std::uint32_t>(data + 10);
  const qint64 width = qFromLittleEndian<std::int32_t>(data + 18);
  const qint64 height = qFromLittleEndian<std::int32_t>(data + 22);
  const qint64 bits = qFromLittleEndian<std::uint16_t>(data + 28);
  const qint64 stride = (width * bits + 31) / 32 * 4;
  if (height <= 0 || pixelOffset + stride * height > bottomUp.size()) {
    return {};
  }
  QByteArray topDown = bottomUp;
  qToLittleEndian(static_cast<std::int32_t>(-height), topDown.data() + 22);
  for (qint64 row = 0; row < height; ++row) {
    std::copy_n(data + pixelOffset + row * stride, stride,
                topDown.data() + pixelOffset + (height - 1 - row) * stride);
  }
  return topDown;
}

}  // namespace plinthar::testing
