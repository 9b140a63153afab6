#include "seven_segment_drawing.h"

#include <array>
#include <cmath>
#include <string_view>

#include "bitmap_font.h"

namespace plinthar::assets {
namespace {

constexpr Colour kBackground{0xFF, 0xFF, 0xFF};
constexpr Colour kSegment{0xD4, 0x3A, 0x2F};
constexpr Colour kSegmentLetter{0xFF, 0xFF, 0xFF};
constexpr Colour kLabel{0x30, 0x30, 0x30};

// Centre lines of the upright figure. Horizontal ones at half pixels with a
// half thickness of 5.5 put the long edges of those bars on pixel boundaries,
// so that they stay crisp.
constexpr double kLeft = 26.0;
constexpr double kRight = 70.0;
constexpr double kTop = 10.5;
constexpr double kMiddle = 54.5;
constexpr double kBottom = 98.5;
constexpr double kHalfThickness = 5.5;
// Each bar stops this far short of the corner where it meets its neighbour.
constexpr double kGap = 1.6;
// LED digits lean forwards: x grows by this much for each pixel upwards.
constexpr double kSlant = 0.1;
constexpr double kDotRadius = 5.5;
constexpr double kDotDistance = 4.0;
constexpr double kLabelDistance = 3.0;

Point Slanted(Point upright) {
  return {upright.x + (kSlant * (kMiddle - upright.y)), upright.y};
}

// A bar from `from` to `to` along one axis, with pointed ends that meet the
// neighbouring bars at a mitre, slanted as the whole digit is.
std::array<Point, 6> Bar(Point from, Point to) {
  const double h = kHalfThickness;
  std::array<Point, 6> corners{};
  if (from.y == to.y) {
    const double start = from.x + kGap;
    const double end = to.x - kGap;
    corners = {Point{start, from.y}, Point{start + h, from.y - h}, Point{end - h, from.y - h},
               Point{end, from.y},   Point{end - h, from.y + h},   Point{start + h, from.y + h}};
  } else {
    const double start = from.y + kGap;
    const double end = to.y - kGap;
    corners = {Point{from.x, start}, Point{from.x + h, start + h}, Point{from.x + h, end - h},
               Point{from.x, end},   Point{from.x - h, end - h},   Point{from.x - h, start + h}};
  }
  for (Point& corner : corners) {
    corner = Slanted(corner);
  }
  return corners;
}

struct Segment {
  std::string_view name;
  Point from;
  Point to;
};

constexpr std::array<Segment, 7> kSegments = {{
    {"A", {kLeft, kTop}, {kRight, kTop}},
    {"B", {kRight, kTop}, {kRight, kMiddle}},
    {"C", {kRight, kMiddle}, {kRight, kBottom}},
    {"D", {kLeft, kBottom}, {kRight, kBottom}},
    {"E", {kLeft, kMiddle}, {kLeft, kBottom}},
    {"F", {kLeft, kTop}, {kLeft, kMiddle}},
    {"G", {kLeft, kMiddle}, {kRight, kMiddle}},
}};

// Draws `text` centred on `centre`, snapped to whole pixels.
void DrawCentredText(Canvas& canvas, Point centre, std::string_view text, Colour colour) {
  const auto left = static_cast<int>(std::floor(centre.x - (TextWidth(text) / 2.0) + 0.5));
  const auto top = static_cast<int>(std::floor(centre.y - (kGlyphHeight / 2.0) + 0.5));
  DrawText(canvas, left, top, text, colour);
}

}  // namespace

IndexedImage DrawSevenSegmentDigit() {
  Canvas canvas(kDigitPictureWidth, kDigitPictureHeight);
  canvas.Fill(kBackground);
  for (const Segment& segment : kSegments) {
    const auto corners = Bar(segment.from, segment.to);
    canvas.FillPolygon(corners, kSegment);
    const Point centre =
        Slanted({(segment.from.x + segment.to.x) / 2.0, (segment.from.y + segment.to.y) / 2.0});
    DrawCentredText(canvas, centre, segment.name, kSegmentLetter);
  }
  const Point dot = Slanted({kRight + kHalfThickness + kDotDistance + kDotRadius, kBottom});
  canvas.FillEllipse(dot, kDotRadius, kDotRadius, kSegment);
  DrawCentredText(canvas, {dot.x, dot.y + kDotRadius + kLabelDistance + (kGlyphHeight / 2.0)}, "DP",
                  kLabel);
  return ToIndexedImage(canvas, false);
}

}  // namespace plinthar::assets
