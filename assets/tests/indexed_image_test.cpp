#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "canvas.h"
#include "indexed_image.h"

namespace plinthar::assets {
namespace {

TEST(ToIndexedImage, KeepsAFewColoursExactlyInTheOrderMet) {
  Canvas canvas(3, 2);
  const Colour a{1, 2, 3};
  const Colour b{250, 251, 252};
  const Colour c{7, 7, 7};
  canvas.Fill(a);
  canvas.SetPixel(1, 0, b);
  canvas.SetPixel(0, 1, c);
  canvas.SetPixel(2, 1, b);
  const IndexedImage image = ToIndexedImage(canvas, false);
  EXPECT_EQ(image.palette, (std::vector<Colour>{a, b, c}));
  EXPECT_EQ(image.pixels, (std::vector<std::uint8_t>{0, 1, 0, 2, 0, 1}));
}

TEST(ToIndexedImage, RoundsAManyColouredDrawingDownTo256Colours) {
  Canvas canvas(64, 64);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      canvas.SetPixel(x, y,
                      {static_cast<std::uint8_t>(x * 4), static_cast<std::uint8_t>(y * 4),
                       static_cast<std::uint8_t>((x + y) * 2)});
    }
  }
  const IndexedImage image = ToIndexedImage(canvas, false);
  EXPECT_LE(image.palette.size(), kMaxPaletteSize);
  int worst = 0;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const Colour drawn = canvas.ColourAt(x, y);
      const Colour kept = image.palette[image.At(x, y)];
      worst = std::max({worst, std::abs(drawn.red - kept.red), std::abs(drawn.green - kept.green),
                        std::abs(drawn.blue - kept.blue)});
    }
  }
  // No coarser than needed: five dropped bits are enough for 4096 colours.
  EXPECT_LE(worst, 16);
}

struct EdgeCase {
  const char* name;
  double right;  // the filled rectangle runs from x = 0 to here over pixel 0 and 1
  bool second_pixel_shown;
};

void PrintTo(const EdgeCase& edge, std::ostream* out) {
  *out << "right edge at " << edge.right;
}

std::string EdgeCaseName(const ::testing::TestParamInfo<EdgeCase>& info) {
  return info.param.name;
}

class TransparentEdgeTest : public ::testing::TestWithParam<EdgeCase> {};

// An icon's mask has one bit a pixel: a pixel at least half covered shows in
// the shape's own colour, not blended with the background.
TEST_P(TransparentEdgeTest, HalfCoveredPixelsShowUnblended) {
  const Colour shape{0x20, 0x80, 0xE0};
  Canvas canvas(3, 1);
  const std::array<Point, 4> rectangle = {Point{0.0, 0.0}, Point{GetParam().right, 0.0},
                                          Point{GetParam().right, 1.0}, Point{0.0, 1.0}};
  canvas.FillPolygon(rectangle, shape);
  const IndexedImage image = ToIndexedImage(canvas, true);
  ASSERT_EQ(image.palette.size(), 2U);
  EXPECT_EQ(image.palette[1], shape);
  EXPECT_FALSE(image.IsTransparent(0, 0));
  EXPECT_EQ(!image.IsTransparent(1, 0), GetParam().second_pixel_shown);
  EXPECT_TRUE(image.IsTransparent(2, 0));
}

INSTANTIATE_TEST_SUITE_P(Coverage, TransparentEdgeTest,
                         ::testing::Values(EdgeCase{"AQuarter", 1.25, false},
                                           EdgeCase{"Half", 1.5, true},
                                           EdgeCase{"ThreeQuarters", 1.75, true}),
                         EdgeCaseName);

}  // namespace
}  // namespace plinthar::assets
