#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QImageReader>

#include <array>
#include <ostream>
#include <string>

#include "bmp_writer.h"
#include "file_fields.h"
#include "ico_writer.h"
#include "png_writer.h"

namespace plinthar::assets {
namespace {

using testing::Little32;

constexpr std::array<Colour, 4> kColours = {Colour{0x10, 0x20, 0x30}, Colour{0xFF, 0x00, 0x00},
                                            Colour{0x00, 0xC0, 0x40}, Colour{0xFE, 0xFD, 0xFC}};

// A test card in which every row and column differs from its neighbours, so
// that swapped rows, a wrong stride or a lost padding byte all show; with
// `transparent` the pixels on one diagonal use the see-through entry 0.
IndexedImage TestCard(int width, int height, bool transparent) {
  IndexedImage image;
  image.width = width;
  image.height = height;
  image.index_zero_transparent = transparent;
  image.palette.push_back({});
  image.palette.insert(image.palette.end(), kColours.begin(), kColours.end());
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool see_through = transparent && (x + y) % 5 == 0;
      image.pixels.push_back(static_cast<std::uint8_t>(see_through ? 0 : 1 + ((x + (2 * y)) % 4)));
    }
  }
  return image;
}

QImage Decode(const Bytes& bytes, const char* format) {
  QByteArray data(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  QImageReader reader(&buffer, format);
  return reader.read();
}

void ExpectSamePixels(const IndexedImage& drawn, const QImage& decoded) {
  ASSERT_FALSE(decoded.isNull());
  ASSERT_EQ(decoded.width(), drawn.width);
  ASSERT_EQ(decoded.height(), drawn.height);
  for (int y = 0; y < drawn.height; ++y) {
    for (int x = 0; x < drawn.width; ++x) {
      const QColor shown = decoded.pixelColor(x, y);
      if (drawn.IsTransparent(x, y)) {
        ASSERT_EQ(shown.alpha(), 0) << x << ", " << y;
        continue;
      }
      const Colour colour = drawn.palette[drawn.At(x, y)];
      ASSERT_EQ(shown.alpha(), 255) << x << ", " << y;
      ASSERT_EQ(shown.red(), colour.red) << x << ", " << y;
      ASSERT_EQ(shown.green(), colour.green) << x << ", " << y;
      ASSERT_EQ(shown.blue(), colour.blue) << x << ", " << y;
    }
  }
}

struct RoundTripCase {
  const char* name;
  int width;
  int height;
};

void PrintTo(const RoundTripCase& size, std::ostream* out) {
  *out << size.width << " x " << size.height;
}

std::string CaseName(const ::testing::TestParamInfo<RoundTripCase>& info) {
  return info.param.name;
}

// Widths 1 to 4 need 3, 2, 1 and 0 padding bytes a row.
class BmpRoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(BmpRoundTripTest, QtReadsBackEveryPixel) {
  const IndexedImage card = TestCard(GetParam().width, GetParam().height, false);
  const Bytes bmp = EncodeBmp(card);
  EXPECT_EQ(Little32(bmp, 2), bmp.size());
  ExpectSamePixels(card, Decode(bmp, "bmp"));
}

INSTANTIATE_TEST_SUITE_P(Strides, BmpRoundTripTest,
                         ::testing::Values(RoundTripCase{"OnePixel", 1, 1},
                                           RoundTripCase{"ThreePaddingBytes", 5, 3},
                                           RoundTripCase{"TwoPaddingBytes", 6, 2},
                                           RoundTripCase{"OnePaddingByte", 7, 4},
                                           RoundTripCase{"NoPadding", 8, 5}),
                         CaseName);

// Mask rows are padded to 32 bits: a width of 40 needs two padding bytes.
class IcoRoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(IcoRoundTripTest, QtReadsBackColoursAndTransparency) {
  const IndexedImage card = TestCard(GetParam().width, GetParam().height, true);
  ExpectSamePixels(card, Decode(EncodeIco(card), "ico"));
}

INSTANTIATE_TEST_SUITE_P(Sizes, IcoRoundTripTest,
                         ::testing::Values(RoundTripCase{"Classic", 32, 32},
                                           RoundTripCase{"PaddedMask", 40, 24},
                                           RoundTripCase{"Tiny", 3, 2}),
                         CaseName);

class PngRoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(PngRoundTripTest, QtReadsBackColoursAndTransparency) {
  for (const bool transparent : {false, true}) {
    SCOPED_TRACE(transparent ? "transparent" : "opaque");
    const IndexedImage card = TestCard(GetParam().width, GetParam().height, transparent);
    const QImage decoded = Decode(EncodePng(card), "png");
    EXPECT_EQ(decoded.hasAlphaChannel(), transparent);
    ExpectSamePixels(card, decoded);
  }
}

// A stored deflate block holds at most 65535 bytes; 300 rows of 1 + 300 bytes
// take two blocks.
INSTANTIATE_TEST_SUITE_P(Sizes, PngRoundTripTest,
                         ::testing::Values(RoundTripCase{"OnePixel", 1, 1},
                                           RoundTripCase{"Icon", 48, 48},
                                           RoundTripCase{"TwoDeflateBlocks", 300, 300}),
                         CaseName);

}  // namespace
}  // namespace plinthar::assets
