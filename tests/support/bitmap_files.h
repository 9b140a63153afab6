#pragma once

#include <QByteArray>
#include <cstdint>
#include <span>

#include "bitmap_bytes.h"

// The bitmap builders of bitmap_bytes.h for the Qt tests, which hold bytes
// in a QByteArray.
namespace plinthar::testing {

using bmp::kFileHeaderSize;
using bmp::kInfoHeaderSize;
using bmp::PixelOffset;
using bmp::Stride;

inline QByteArray ToByteArray(const bmp::Bytes& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
}

inline QByteArray HeaderBytes(const DibHeader& header) {
  return ToByteArray(bmp::HeaderBytes(header));
}

inline QByteArray TopDown(const QByteArray& bottomUp) {
  return ToByteArray(
      bmp::TopDown(std::span(reinterpret_cast<const std::uint8_t*>(bottomUp.constData()),
                             static_cast<std::size_t>(bottomUp.size()))));
}

}  // namespace plinthar::testing
