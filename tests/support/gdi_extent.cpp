#include "gdi_extent.h"

#include <cstdlib>

namespace plinthar::testing {

namespace {

constexpr std::size_t kHeadersSize = 14 + 40;
constexpr std::uint32_t kBitFields = 3;       // BI_BITFIELDS
constexpr std::uint32_t kAlphaBitFields = 6;  // BI_ALPHABITFIELDS

std::uint32_t Field(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t size) {
  std::uint32_t value = 0;
  for (std::size_t i = size; i-- > 0;) {
    value = (value << 8U) | bytes[offset + i];
  }
  return value;
}

}  // namespace

std::optional<GdiExtent> GdiExtentOf(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kHeadersSize) {
    return std::nullopt;
  }
  const std::int64_t pixelOffset = Field(bytes, 10, 4);
  const std::int64_t infoSize = Field(bytes, 14, 4);
  const std::int64_t width = static_cast<std::int32_t>(Field(bytes, 18, 4));
  const std::int64_t height = static_cast<std::int32_t>(Field(bytes, 22, 4));
  const std::int64_t bits = Field(bytes, 28, 2);
  const std::uint32_t compression = Field(bytes, 30, 4);
  const std::int64_t coloursUsed = Field(bytes, 46, 4);

  std::int64_t masks = 0;
  if (infoSize == 40 && compression == kBitFields) {
    masks = 3;
  } else if (infoSize == 40 && compression == kAlphaBitFields) {
    masks = 4;
  }
  std::int64_t colours = coloursUsed;
  if (colours == 0 && bits >= 1 && bits <= 8) {
    colours = std::int64_t{1} << bits;
  }
  const std::int64_t stride = (std::abs(width) * bits + 31) / 32 * 4;
  return GdiExtent{.infoEnd = 14 + infoSize + masks * 4 + colours * 4,
                   .pixelOffset = pixelOffset,
                   .pixelsEnd = pixelOffset + stride * std::abs(height)};
}

std::string GdiReadOutside(std::span<const std::uint8_t> bytes) {
  const std::optional<GdiExtent> extent = GdiExtentOf(bytes);
  if (!extent) {
    return "the headers are not all there";
  }
  const auto size = static_cast<std::int64_t>(bytes.size());
  std::string outside;
  if (extent->infoEnd > extent->pixelOffset) {
    outside += "header and tables end at " + std::to_string(extent->infoEnd) +
               ", past the window's copy, which ends at the pixel offset " +
               std::to_string(extent->pixelOffset) + "; ";
  }
  if (extent->pixelsEnd > size) {
    outside += "rows end at " + std::to_string(extent->pixelsEnd) + ", past the file's " +
               std::to_string(size) + " bytes; ";
  }
  if (!outside.empty()) {
    outside.resize(outside.size() - 2);
  }
  return outside;
}

}  // namespace plinthar::testing
