#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace plinthar::assets {

using Bytes = std::vector<std::uint8_t>;

// Appends fixed-width fields: the Windows formats store them least significant
// byte first, PNG most significant byte first.
inline void PutLittle16(Bytes& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFFU));
  out.push_back(static_cast<std::uint8_t>((value >> 8U) & 0xFFU));
}

inline void PutLittle32(Bytes& out, std::uint32_t value) {
  PutLittle16(out, value & 0xFFFFU);
  PutLittle16(out, value >> 16U);
}

inline void PutBig32(Bytes& out, std::uint32_t value) {
  for (unsigned shift = 24;; shift -= 8) {
    out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFFU));
    if (shift == 0) {
      return;
    }
  }
}

inline void PutText(Bytes& out, std::string_view text) {
  for (const char letter : text) {
    out.push_back(static_cast<std::uint8_t>(letter));
  }
}

// A plain loop: GCC 12 at -O2 and above misreads vector::insert from a span
// as an overflow (-Wstringop-overflow) in some callers.
inline void PutBytes(Bytes& out, std::span<const std::uint8_t> bytes) {
  out.reserve(out.size() + bytes.size());
  for (const std::uint8_t byte : bytes) {
    out.push_back(byte);
  }
}

}  // namespace plinthar::assets
