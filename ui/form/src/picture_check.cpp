#include "plinthar/form/picture_check.h"

#include <fstream>
#include <system_error>

namespace plinthar::form {

namespace {

constexpr std::int64_t kFileHeaderSize = 14;
constexpr std::int64_t kInfoHeaderSize = 40;
constexpr std::int64_t kBitFieldMasksSize = 12;
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kBitFields = 3;

class LittleEndianFields {
 public:
  explicit LittleEndianFields(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  [[nodiscard]] std::uint16_t U16(std::size_t offset) const {
    return static_cast<std::uint16_t>(bytes_[offset] | (bytes_[offset + 1] << 8U));
  }
  [[nodiscard]] std::uint32_t U32(std::size_t offset) const {
    return static_cast<std::uint32_t>(U16(offset)) |
           (static_cast<std::uint32_t>(U16(offset + 2)) << 16U);
  }
  [[nodiscard]] std::int32_t I32(std::size_t offset) const {
    return static_cast<std::int32_t>(U32(offset));
  }

 private:
  std::span<const std::uint8_t> bytes_;
};

bool IsKnownInfoHeaderSize(std::uint32_t size) {
  // BITMAPINFOHEADER, the two Adobe extensions of it, BITMAPV4HEADER and
  // BITMAPV5HEADER all begin with the same 40 bytes.
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool IsKnownBitCount(std::uint16_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

// All arithmetic is 64-bit, so no header field can overflow it.
std::optional<BitmapSize> CompleteBitmapSize(std::span<const std::uint8_t> bytes) {
  const auto length = static_cast<std::int64_t>(bytes.size());
  if (length < kFileHeaderSize + kInfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') {
    return std::nullopt;
  }
  const LittleEndianFields header(bytes);
  const std::int64_t declaredSize = header.U32(2);
  const std::int64_t pixelOffset = header.U32(10);
  const std::uint32_t infoSize = header.U32(14);
  const std::int64_t width = header.I32(18);
  const std::int64_t signedHeight = header.I32(22);
  const std::int64_t height = signedHeight < 0 ? -signedHeight : signedHeight;  // top-down rows
  const std::uint16_t planes = header.U16(26);
  const std::uint16_t bits = header.U16(28);
  const std::uint32_t compression = header.U32(30);
  const std::int64_t coloursUsed = header.U32(46);

  // A writer that recorded more bytes than there are lost the rest of the file.
  if (declaredSize > length || !IsKnownInfoHeaderSize(infoSize) || planes != 1 ||
      !IsKnownBitCount(bits)) {
    return std::nullopt;
  }
  if (width <= 0 || height <= 0 || width * height > kMaxPicturePixels) {
    return std::nullopt;
  }
  std::int64_t tablesEnd = kFileHeaderSize + infoSize;
  if (compression == kBitFields && (bits == 16 || bits == 32)) {
    // The three colour masks follow a plain BITMAPINFOHEADER; the later
    // headers hold them inside.
    if (infoSize == kInfoHeaderSize) {
      tablesEnd += kBitFieldMasksSize;
    }
  } else if (compression != kUncompressed) {
    return std::nullopt;
  }
  // GDI reads as many colour entries as the header declares, at every depth:
  // a true-colour picture may carry a table too.
  std::int64_t colours = coloursUsed;
  if (bits <= 8) {
    const std::int64_t paletteLimit = std::int64_t{1} << bits;
    if (colours == 0) {
      colours = paletteLimit;
    }
    if (colours > paletteLimit) {
      return std::nullopt;
    }
  }
  tablesEnd += colours * 4;
  // Rows are padded to whole 32-bit words.
  const std::int64_t stride = (width * bits + 31) / 32 * 4;
  if (tablesEnd > pixelOffset || pixelOffset + stride * height > length) {
    return std::nullopt;
  }
  return BitmapSize{static_cast<int>(width), static_cast<int>(height)};
}

std::optional<std::vector<std::uint8_t>> ReadPictureFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    return std::nullopt;
  }
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > static_cast<std::uintmax_t>(kMaxPictureFileBytes)) {
    return std::nullopt;
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    return std::nullopt;
  }
  // One byte more than the size tells a file that grew since it was measured.
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size) + 1);
  file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  const auto count = static_cast<std::size_t>(file.gcount());
  if (file.bad() || count > size) {
    return std::nullopt;
  }
  bytes.resize(count);
  return bytes;
}

}  // namespace plinthar::form
