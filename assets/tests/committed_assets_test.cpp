#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QString>

#include <algorithm>
#include <ostream>
#include <set>
#include <string>
#include <string_view>

#include "asset_files.h"
#include "bitmap_font.h"
#include "file_fields.h"
#include "seven_segment_drawing.h"

namespace plinthar::assets {
namespace {

using testing::CommittedAsset;
using testing::Little16;
using testing::Little32;
using testing::ReadFile;
using testing::SignedLittle32;

QImage LoadWithQt(const char* relative) {
  return QImage(QString::fromStdString(CommittedAsset(relative).string()));
}

TEST(CommittedAssets, GeneratorDrawsExactlyTheFilesTheWindowUses) {
  std::set<std::string_view> paths;
  for (const AssetFile& file : DrawAllAssets()) {
    paths.insert(file.path);
  }
  EXPECT_EQ(paths, (std::set<std::string_view>{"LCD.BMP", "icons/plinthar-32.png",
                                               "icons/plinthar-48.png", "icons/plinthar.ico"}));
}

TEST(CommittedAssets, MatchTheGeneratorByteForByte) {
  for (const AssetFile& file : DrawAllAssets()) {
    SCOPED_TRACE(std::string(file.path));
    const Bytes committed = ReadFile(CommittedAsset(std::string(file.path).c_str()));
    const auto [drawn_at, committed_at] = std::mismatch(file.contents.begin(), file.contents.end(),
                                                        committed.begin(), committed.end());
    EXPECT_TRUE(drawn_at == file.contents.end() && committed_at == committed.end())
        << "first difference at byte " << (drawn_at - file.contents.begin()) << " of "
        << file.contents.size() << " drawn, " << committed.size()
        << " committed; redraw with the regenerate_assets target";
  }
}

TEST(LcdBitmap, HeadersAgreeWithTheFile) {
  const Bytes bmp = ReadFile(CommittedAsset("LCD.BMP"));
  ASSERT_GE(bmp.size(), 54U + 1024U);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(Little32(bmp, 2), bmp.size()) << "bfSize";
  EXPECT_EQ(Little32(bmp, 10), 14U + 40U + 1024U) << "bfOffBits";
  EXPECT_EQ(Little32(bmp, 14), 40U) << "a BITMAPINFOHEADER";

  const std::int32_t width = SignedLittle32(bmp, 18);
  const std::int32_t height = SignedLittle32(bmp, 22);
  EXPECT_GT(width, 0);
  EXPECT_LE(width, 105) << "wider than the picture box";
  EXPECT_GT(height, 0) << "rows must be stored bottom-up";
  EXPECT_LE(height, 121) << "taller than the picture box";
  EXPECT_EQ(Little16(bmp, 26), 1U) << "planes";
  EXPECT_EQ(Little16(bmp, 28), 8U) << "bits per pixel";
  EXPECT_EQ(Little32(bmp, 30), 0U) << "uncompressed";
  EXPECT_EQ(Little32(bmp, 46), 256U) << "palette entries";

  const auto stride = static_cast<std::uint32_t>(((width + 3) / 4) * 4);
  const std::uint32_t image_size = stride * static_cast<std::uint32_t>(height);
  EXPECT_EQ(Little32(bmp, 34), image_size) << "biSizeImage";
  EXPECT_EQ(Little32(bmp, 10) + image_size, bmp.size());
}

TEST(LcdBitmap, QtShowsItAtTheDrawnSize) {
  const QImage picture = LoadWithQt("LCD.BMP");
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.width(), kDigitPictureWidth);
  EXPECT_EQ(picture.height(), kDigitPictureHeight);
  EXPECT_FALSE(picture.hasAlphaChannel());
}

// How often the dot pattern of `text`, as the font draws it, stands in the
// picture in one colour, with no dot of that colour in its gaps: a name that
// a bar or the decimal point covers in part is no longer found.
int CountReadablePlaces(const IndexedImage& picture, std::string_view text) {
  const int width = TextWidth(text);
  Canvas pattern(width, kGlyphHeight);
  DrawText(pattern, 0, 0, text, {0xFF, 0xFF, 0xFF});
  int ink_x = 0;
  while (ink_x + 1 < width && pattern.Coverage(ink_x, kGlyphHeight / 2) == 0.0) {
    ++ink_x;
  }
  int places = 0;
  for (int top = 0; top + kGlyphHeight <= picture.height; ++top) {
    for (int left = 0; left + width <= picture.width; ++left) {
      bool readable = true;
      const std::uint8_t ink = picture.At(left + ink_x, top + (kGlyphHeight / 2));
      for (int y = 0; y < kGlyphHeight && readable; ++y) {
        for (int x = 0; x < width && readable; ++x) {
          const bool dot = pattern.Coverage(x, y) > 0.0;
          readable = (picture.At(left + x, top + y) == ink) == dot;
        }
      }
      places += readable ? 1 : 0;
    }
  }
  return places;
}

TEST(LcdPicture, EverySegmentNameIsReadable) {
  const IndexedImage picture = DrawSevenSegmentDigit();
  for (const std::string_view name : {"A", "B", "C", "D", "E", "F", "G", "DP"}) {
    EXPECT_GE(CountReadablePlaces(picture, name), 1) << name;
  }
}

struct IconFileCase {
  const char* name;
  const char* path;
  int size;
};

void PrintTo(const IconFileCase& icon, std::ostream* out) {
  *out << icon.path;
}

std::string IconCaseName(const ::testing::TestParamInfo<IconFileCase>& info) {
  return info.param.name;
}

class IconFileTest : public ::testing::TestWithParam<IconFileCase> {};

// Every icon file shows the chip on a see-through background: the corners are
// empty, the middle is covered, and palette-based files keep to 256 colours.
TEST_P(IconFileTest, QtLoadsItTransparentAroundTheChip) {
  const QImage icon = LoadWithQt(GetParam().path);
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(icon.width(), GetParam().size);
  EXPECT_EQ(icon.height(), GetParam().size);
  ASSERT_TRUE(icon.hasAlphaChannel());
  const int last = GetParam().size - 1;
  for (const auto& [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}}) {
    EXPECT_EQ(icon.pixelColor(x, y).alpha(), 0) << x << ", " << y;
  }
  EXPECT_EQ(icon.pixelColor(GetParam().size / 2, GetParam().size / 2).alpha(), 255);
}

INSTANTIATE_TEST_SUITE_P(AllSizes, IconFileTest,
                         ::testing::Values(IconFileCase{"Png32", "icons/plinthar-32.png", 32},
                                           IconFileCase{"Png48", "icons/plinthar-48.png", 48},
                                           IconFileCase{"Ico32", "icons/plinthar.ico", 32}),
                         IconCaseName);

TEST(ChipIcon, IcoAndPngShowTheSamePixels) {
  const QImage ico = LoadWithQt("icons/plinthar.ico").convertToFormat(QImage::Format_ARGB32);
  const QImage png = LoadWithQt("icons/plinthar-32.png").convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(ico.size(), png.size());
  for (int y = 0; y < ico.height(); ++y) {
    for (int x = 0; x < ico.width(); ++x) {
      const QRgb from_ico = ico.pixel(x, y);
      const QRgb from_png = png.pixel(x, y);
      // A see-through pixel's colour does not matter.
      if (qAlpha(from_ico) != 0 || qAlpha(from_png) != 0) {
        ASSERT_EQ(from_ico, from_png) << x << ", " << y;
      }
    }
  }
}

TEST(ChipIcon, IcoDirectoryDescribesOneClassic32PixelEntry) {
  const Bytes ico = ReadFile(CommittedAsset("icons/plinthar.ico"));
  ASSERT_GE(ico.size(), 22U);
  EXPECT_EQ(Little16(ico, 0), 0U) << "reserved";
  EXPECT_EQ(Little16(ico, 2), 1U) << "type: icon";
  ASSERT_EQ(Little16(ico, 4), 1U) << "entries";
  EXPECT_EQ(ico[6], 32) << "width";
  EXPECT_EQ(ico[7], 32) << "height";
  EXPECT_EQ(ico[8], 0) << "colour count (0 for 256)";
  EXPECT_EQ(ico[9], 0) << "reserved";
  EXPECT_EQ(Little16(ico, 10), 1U) << "planes";
  EXPECT_EQ(Little16(ico, 12), 8U) << "bits per pixel";

  const std::uint32_t entry_size = Little32(ico, 14);
  const std::uint32_t entry_offset = Little32(ico, 18);
  EXPECT_GE(entry_offset, 22U);
  ASSERT_EQ(std::size_t{entry_offset} + entry_size, ico.size());
  // Header, 256 palette entries, 32 rows of colour indices and of mask bits.
  EXPECT_EQ(entry_size, 40U + 1024U + (32U * 32U) + (4U * 32U));
  EXPECT_EQ(Little32(ico, entry_offset), 40U) << "a BITMAPINFOHEADER";
  EXPECT_EQ(SignedLittle32(ico, entry_offset + 4), 32);
  EXPECT_EQ(SignedLittle32(ico, entry_offset + 8), 64) << "colour rows and mask rows";
  EXPECT_EQ(Little16(ico, entry_offset + 14), 8U);
  EXPECT_EQ(Little32(ico, entry_offset + 16), 0U) << "uncompressed";
}

// Varying chunks (time, text, physical size from the machine) would make the
// files differ between runs; only the image's own chunks may appear.
TEST(ChipIcon, PngFilesHoldOnlyImageChunks) {
  for (const char* path : {"icons/plinthar-32.png", "icons/plinthar-48.png"}) {
    SCOPED_TRACE(path);
    const Bytes png = ReadFile(CommittedAsset(path));
    std::vector<std::string> chunks;
    for (std::size_t offset = 8; offset + 12 <= png.size();) {
      const std::uint32_t length = (static_cast<std::uint32_t>(png[offset]) << 24U) |
                                   (static_cast<std::uint32_t>(png[offset + 1]) << 16U) |
                                   (static_cast<std::uint32_t>(png[offset + 2]) << 8U) |
                                   png[offset + 3];
      chunks.emplace_back(png.begin() + static_cast<std::ptrdiff_t>(offset + 4),
                          png.begin() + static_cast<std::ptrdiff_t>(offset + 8));
      offset += 12 + std::size_t{length};
    }
    EXPECT_EQ(chunks, (std::vector<std::string>{"IHDR", "PLTE", "tRNS", "IDAT", "IEND"}));
  }
}

}  // namespace
}  // namespace plinthar::assets
