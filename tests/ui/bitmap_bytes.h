#pragma once

#include <QByteArray>
#include <QtEndian>
#include <cstdint>

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

}  // namespace plinthar::testing
