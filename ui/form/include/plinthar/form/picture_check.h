#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

// The one rule for the display picture LCD.BMP, shared by every front-end:
// which bytes are a picture the window may show, and how the file is read.
namespace plinthar::form {

// The display picture is a small drawing; anything much larger is not it, and
// the limits keep a bad file from costing more than a few megabytes.
inline constexpr std::int64_t kMaxPictureFileBytes = std::int64_t{4} * 1024 * 1024;
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{1024} * 1024;

struct BitmapSize {
  int width;
  int height;
  friend bool operator==(const BitmapSize&, const BitmapSize&) = default;
};

// The picture's size when the bytes hold a complete, uncompressed Windows
// bitmap (BITMAPINFOHEADER or a later header, 1 to 32 bits per pixel, bit
// fields allowed at 16 and 32) whose header, colour table and pixel rows lie
// wholly within the data, within the limits above; nothing otherwise. Decoders
// accept truncated files and fill the missing rows with whatever memory held,
// so the front-ends decode only what passes this check.
std::optional<BitmapSize> CompleteBitmapSize(std::span<const std::uint8_t> bytes);

// The bytes of the picture file, read once: only a regular file (a pipe or a
// device could block for ever) of at most kMaxPictureFileBytes. Nothing for a
// missing, special, unreadable or larger file.
std::optional<std::vector<std::uint8_t>> ReadPictureFile(const std::filesystem::path& path);

}  // namespace plinthar::form
