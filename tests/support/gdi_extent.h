#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// What GDI reads of a bitmap file when the Win32 window draws it, worked out
// from the documented BITMAPINFO rules alone, apart from the picture check
// that it verifies. The window copies the bytes from the end of the file
// header to the pixel offset (the info header and the tables after it) and
// hands that copy and the rows to StretchDIBits, which reads:
//   - the info header, of the size that it states;
//   - three colour masks after a 40-byte header with BI_BITFIELDS;
//   - colours-used colour entries, or 2^bits of them up to 8 bits;
//   - stride × |height| bytes of rows from the pixel offset.
namespace plinthar::testing {

struct GdiExtent {
  std::int64_t infoEnd;      // file offset where the header, masks and colours end
  std::int64_t pixelOffset;  // where the window's copy ends and the rows begin
  std::int64_t pixelsEnd;    // file offset where the rows end
};

// Nothing when the bytes are too short to hold the headers at all.
std::optional<GdiExtent> GdiExtentOf(std::span<const std::uint8_t> bytes);

// Empty when everything GDI reads lies inside the file and its header and
// tables inside the window's copy; otherwise what lies outside.
std::string GdiReadOutside(std::span<const std::uint8_t> bytes);

}  // namespace plinthar::testing
