#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "byte_buffer.h"

namespace plinthar::assets::testing {

inline Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::filesystem::path CommittedAsset(const char* relative) {
  return std::filesystem::path(PLINTHAR_ASSETS_DIR) / relative;
}

// Little-endian fields as the Windows formats store them; reads past the end
// give 0, so that a truncated file fails the checks instead of the test.
inline std::uint32_t Little16(const Bytes& bytes, std::size_t offset) {
  if (offset + 2 > bytes.size()) {
    return 0;
  }
  return bytes[offset] | (static_cast<std::uint32_t>(bytes[offset + 1]) << 8U);
}

inline std::uint32_t Little32(const Bytes& bytes, std::size_t offset) {
  return Little16(bytes, offset) | (Little16(bytes, offset + 2) << 16U);
}

inline std::int32_t SignedLittle32(const Bytes& bytes, std::size_t offset) {
  return static_cast<std::int32_t>(Little32(bytes, offset));
}

}  // namespace plinthar::assets::testing
