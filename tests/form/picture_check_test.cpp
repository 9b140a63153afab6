#include "plinthar/form/picture_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "bitmap_bytes.h"
#include "case_name.h"
#include "gdi_extent.h"

// The picture check is all that stands between a file anyone can drop beside
// the program and the decoders: Qt's reader on Linux, and GDI on Windows,
// which reads as many masks and colour entries as the header declares from
// the window's copy of the header and tables. Each accepted row is also read
// the way GDI reads it (gdi_extent.h), apart from the check.

namespace plinthar::testing {
namespace {

using bmp::BitmapBytes;
using bmp::Bytes;
using bmp::TablesEnd;
using bmp::WriteLittleEndian;
using form::BitmapSize;
using form::CompleteBitmapSize;

// Byte offsets of the header fields that the cases below tamper with.
constexpr std::size_t kDeclaredSize = 2;
constexpr std::size_t kPixelOffset = 10;
constexpr std::size_t kInfoSize = 14;
constexpr std::size_t kWidth = 18;
constexpr std::size_t kHeight = 22;
constexpr std::size_t kPlanes = 26;
constexpr std::size_t kBitCount = 28;
constexpr std::size_t kCompression = 30;
constexpr std::size_t kColoursUsed = 46;

Bytes Patched(Bytes bytes, std::size_t offset, std::uint32_t value) {
  WriteLittleEndian(bytes, offset, value, 4);
  return bytes;
}

Bytes PatchedU16(Bytes bytes, std::size_t offset, std::uint16_t value) {
  WriteLittleEndian(bytes, offset, value, 2);
  return bytes;
}

Bytes WithoutLast(Bytes bytes, std::size_t count) {
  bytes.resize(bytes.size() - count);
  return bytes;
}

// A bitmap whose palette holds `entries` colours and whose header declares
// `coloursUsed` (0: as many as the bits allow).
DibHeader Indexed(std::uint16_t bits, std::uint32_t coloursUsed, std::uint32_t entries) {
  return {
      .width = 5, .height = 3, .bits = bits, .coloursUsed = coloursUsed, .paletteEntries = entries};
}

// Colour masks, after a plain header or inside a later one.
DibHeader BitFields(std::uint16_t bits, std::uint32_t infoSize) {
  return {
      .width = 5, .height = 3, .bits = bits, .infoSize = infoSize, .compression = kBitFields};
}

// A header whose pixel offset lies `shift` bytes after the end of its tables
// (before it, when negative); the file stays complete.
DibHeader Shifted(DibHeader header, std::int64_t shift) {
  header.pixelOffset = static_cast<std::uint32_t>(TablesEnd(header) + shift);
  return header;
}

DibHeader TopDownHeader(DibHeader header) {
  header.height = -header.height;
  return header;
}

struct TermCase {
  const char* name;
  DibHeader header;
  bool accepted;
};

// Rows are named by their names, not dumped as bytes.
void PrintTo(const TermCase& row, std::ostream* out) {
  *out << row.name;
}

class PictureCheckTerm : public ::testing::TestWithParam<TermCase> {};

// Each term of the check's sum, one row on each side of it. An accepted file
// has the size of its header, and GDI reads only bytes inside it and the
// window's copy; a refused one would have had GDI read outside.
TEST_P(PictureCheckTerm, AcceptsExactlyWhatGdiCanRead) {
  const TermCase& row = GetParam();
  const Bytes bytes = BitmapBytes(row.header);
  const std::optional<BitmapSize> size = CompleteBitmapSize(bytes);
  const std::string outside = GdiReadOutside(bytes);
  if (row.accepted) {
    ASSERT_TRUE(size.has_value()) << "refused a file whose every byte GDI can read";
    EXPECT_EQ(*size, (BitmapSize{row.header.width, std::abs(row.header.height)}));
    EXPECT_EQ(outside, "");
  } else {
    EXPECT_FALSE(size.has_value()) << "accepted a file of which GDI reads: " << outside;
    EXPECT_NE(outside, "") << "the row does not reach past what GDI can read";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PictureCheckTerm,
    ::testing::Values(
        // Colour tables: 2^bits entries when colours-used is 0, else that many.
        TermCase{"bits1_full_table", Indexed(1, 0, 2), true},
        TermCase{"bits1_table_one_short", Indexed(1, 0, 1), false},
        TermCase{"bits1_one_colour_used", Indexed(1, 1, 1), true},
        TermCase{"bits4_full_table", Indexed(4, 0, 16), true},
        TermCase{"bits4_table_one_short", Indexed(4, 0, 15), false},
        TermCase{"bits4_five_colours_used", Indexed(4, 5, 5), true},
        TermCase{"bits4_five_used_four_present", Indexed(4, 5, 4), false},
        TermCase{"bits8_full_table", Indexed(8, 0, 256), true},
        TermCase{"bits8_table_one_short", Indexed(8, 0, 255), false},
        TermCase{"bits8_three_colours_used", Indexed(8, 3, 3), true},
        TermCase{"bits8_three_used_none_present", Indexed(8, 3, 0), false},
        // Colour masks: three after a 40-byte header, inside the later ones.
        TermCase{"bits16_masks_after_info_header", BitFields(16, 40), true},
        TermCase{"bits16_masks_missing", Shifted(BitFields(16, 40), -12), false},
        TermCase{"bits32_masks_after_info_header", BitFields(32, 40), true},
        TermCase{"bits32_one_mask_missing", Shifted(BitFields(32, 40), -4), false},
        TermCase{"bits16_masks_in_52_byte_header", BitFields(16, 52), true},
        TermCase{"bits32_masks_in_56_byte_header", BitFields(32, 56), true},
        TermCase{"bits16_masks_in_v4_header", BitFields(16, 108), true},
        TermCase{"bits32_masks_in_v5_header", BitFields(32, 124), true},
        TermCase{"pixels_inside_the_v5_header", Shifted(BitFields(32, 124), -16), false},
        // True colour with colours-used set: GDI reads that table too.
        TermCase{"bits24_colours_used_with_table", Indexed(24, 2, 2), true},
        TermCase{"bits24_colours_used_without_table", Indexed(24, 2, 0), false},
        TermCase{"bits32_colours_used_with_table", Indexed(32, 16, 16), true},
        TermCase{"bits32_colours_used_table_one_short", Indexed(32, 16, 15), false},
        TermCase{"bits16_masks_then_colours_used",
                 [] {
                   DibHeader header = BitFields(16, 40);
                   header.coloursUsed = header.paletteEntries = 4;
                   return header;
                 }(),
                 true},
        TermCase{"bits16_masks_and_colours_used_without_table",
                 [] {
                   DibHeader header = BitFields(16, 40);
                   header.coloursUsed = 4;
                   return header;
                 }(),
                 false},
        // Rows stored top-down: the same terms, the height's magnitude.
        TermCase{"bits8_top_down", TopDownHeader(Indexed(8, 0, 256)), true},
        TermCase{"bits8_top_down_table_one_short", TopDownHeader(Indexed(8, 0, 255)), false},
        TermCase{"bits24_top_down", TopDownHeader({.width = 7, .height = 2}), true},
        // Pixel offsets: a gap before the rows is harmless, an overlap is not.
        TermCase{"gap_after_the_table", Shifted(Indexed(8, 0, 256), 8), true},
        TermCase{"pixels_in_the_last_colour", Shifted(Indexed(8, 0, 256), -4), false},
        TermCase{"pixels_in_the_info_header", Shifted({.width = 4, .height = 4}, -2), false}),
    CaseName<TermCase>);

// The rows end where the file ends: one byte fewer, and GDI reads past it.
TEST(PictureCheck, RefusesEveryKindOneByteShort) {
  for (const DibHeader& header :
       {Indexed(1, 0, 2), Indexed(8, 3, 3), BitFields(16, 40), BitFields(32, 124),
        TopDownHeader(Indexed(4, 0, 16)), DibHeader{.width = 7, .height = 2}}) {
    const Bytes complete = BitmapBytes(header);
    ASSERT_TRUE(CompleteBitmapSize(complete).has_value()) << header.bits;
    const Bytes cut = WithoutLast(complete, 1);
    EXPECT_FALSE(CompleteBitmapSize(cut).has_value()) << header.bits;
    EXPECT_NE(GdiReadOutside(cut), "") << header.bits;
  }
}

struct RejectCase {
  const char* name;
  Bytes bytes;
};

void PrintTo(const RejectCase& row, std::ostream* out) {
  *out << row.name;
}

class PictureCheckRejects : public ::testing::TestWithParam<RejectCase> {};

// Every one of these would either fail in a decoder, allocate far too much,
// or be shown with rows of uninitialised memory.
TEST_P(PictureCheckRejects, AnythingElse) {
  EXPECT_FALSE(CompleteBitmapSize(GetParam().bytes).has_value());
}

Bytes Good() {
  return BitmapBytes(Indexed(8, 0, 256));
}

Bytes Text() {
  const std::string line = "LCD.BMP is a picture, not this text.\n";
  Bytes bytes;
  for (int i = 0; i < 4; ++i) {
    bytes.insert(bytes.end(), line.begin(), line.end());
  }
  return bytes;
}

Bytes NotABitmap() {
  Bytes bytes = Good();
  const std::string gif = "GIF89a";
  std::copy(gif.begin(), gif.end(), bytes.begin());
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PictureCheckRejects,
    ::testing::Values(
        RejectCase{"empty", {}},
        RejectCase{"file_header_only", WithoutLast(Good(), Good().size() - 14)},
        RejectCase{"headers_without_palette_or_pixels", WithoutLast(Good(), Good().size() - 54)},
        RejectCase{"not_a_bitmap", NotABitmap()}, RejectCase{"text", Text()},
        RejectCase{"one_byte_short", WithoutLast(Good(), 1)},
        RejectCase{"cut_halfway_through_the_pixels", WithoutLast(Good(), 12)},
        RejectCase{"declared_longer_than_it_is", Patched(Good(), kDeclaredSize, 10000)},
        RejectCase{"pixels_beyond_the_end", Patched(Good(), kPixelOffset, 0xFFFFFFF0)},
        RejectCase{"pixels_inside_the_palette", Patched(Good(), kPixelOffset, 14 + 40 + 100)},
        RejectCase{"palette_of_257_colours", Patched(Good(), kColoursUsed, 257)},
        RejectCase{"zero_width", Patched(Good(), kWidth, 0)},
        RejectCase{"zero_height", Patched(Good(), kHeight, 0)},
        RejectCase{"negative_width", Patched(Good(), kWidth, static_cast<std::uint32_t>(-6))},
        RejectCase{"height_of_minus_2_to_the_31", Patched(Good(), kHeight, 0x80000000U)},
        RejectCase{"huge_dimensions_little_data",
                   Patched(Patched(Good(), kWidth, 100000), kHeight, 100000)},
        RejectCase{"complete_but_over_a_million_pixels",
                   BitmapBytes({.width = 2048, .height = 1024, .bits = 1, .paletteEntries = 2})},
        RejectCase{"two_planes", PatchedU16(Good(), kPlanes, 2)},
        RejectCase{"seven_bits_per_pixel", PatchedU16(Good(), kBitCount, 7)},
        RejectCase{"run_length_compressed", Patched(Good(), kCompression, 1)},
        RejectCase{"jpeg_inside", Patched(Good(), kCompression, 4)},
        RejectCase{"bit_fields_at_8_bits", Patched(Good(), kCompression, kBitFields)},
        RejectCase{"os2_core_header", Patched(Good(), kInfoSize, 12)},
        RejectCase{"header_larger_than_the_file", Patched(Good(), kInfoSize, 0x7FFFFFFF)}),
    CaseName<RejectCase>);

// The largest picture allowed passes, so the limit above is the pixel count.
TEST(PictureCheck, AcceptsTheLargestPictureAllowed) {
  const Bytes bytes = BitmapBytes({.width = 1024, .height = 1024, .bits = 1, .paletteEntries = 2});
  EXPECT_EQ(CompleteBitmapSize(bytes), (BitmapSize{1024, 1024}));
  EXPECT_EQ(GdiReadOutside(bytes), "");
}

}  // namespace
}  // namespace plinthar::testing
