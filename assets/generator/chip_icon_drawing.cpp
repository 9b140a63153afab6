#include "chip_icon_drawing.h"

#include <cmath>
#include <initializer_list>
#include <vector>

namespace plinthar::assets {
namespace {

// An axonometric view from about 30 degrees left of the front and 40 degrees
// above, given by where one model unit along x, y and z lands on the screen
// (screen y grows downwards). The numbers are written out rather than taken
// from trigonometric functions, whose last bits differ between libraries.
constexpr Point kAlongX{0.866, -0.321};
constexpr Point kAlongY{-0.500, -0.557};
constexpr Point kAlongZ{0.000, -0.766};
// Where the model's origin lands in the 32 × 32 icon; larger icons scale it.
constexpr Point kOriginOnScreen{16.5, 18.5};

// The chip in model units, about one pixel each at 32 × 32: x runs along the
// body from pin 1's end, y across it towards the back, z up from the board.
constexpr double kLength = 24.0;
constexpr double kWidth = 10.5;
constexpr double kBodyBottom = 0.5;
constexpr double kBodyTop = 5.0;
constexpr int kPinsPerRow = 7;
// Two pixels wide at 32 × 32, three at 48 × 48.
constexpr double kPinWidth = 2.0 / kAlongX.x;
// The shoulders come out high and reach far enough for the far row to show
// above the body's back edge.
constexpr double kPinLevel = 4.2;
constexpr double kPinReach = 2.6;
constexpr double kPinFoot = -2.0;
constexpr double kNotchRadius = 2.4;
constexpr double kEdgeHighlight = 0.6;

constexpr Colour kBodyTopColour{0x55, 0x57, 0x5C};
constexpr Colour kBodyFrontColour{0x33, 0x34, 0x38};
constexpr Colour kBodyEndColour{0x42, 0x43, 0x48};
constexpr Colour kBodyEdgeColour{0x78, 0x7A, 0x80};
constexpr Colour kNotchColour{0x2A, 0x2B, 0x2E};
constexpr Colour kPinFaceColour{0xC8, 0xCC, 0xD2};
constexpr Colour kPinTopColour{0xDA, 0xDD, 0xE2};
constexpr Colour kPinShadeColour{0x86, 0x8A, 0x92};

struct Vec3 {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

class Projection {
 public:
  explicit Projection(int size) : scale_(size / 32.0) {}

  Point operator()(Vec3 v) const {
    const double x = kOriginOnScreen.x + (v.x * kAlongX.x) + (v.y * kAlongY.x) + (v.z * kAlongZ.x);
    const double y = kOriginOnScreen.y + (v.x * kAlongX.y) + (v.y * kAlongY.y) + (v.z * kAlongZ.y);
    return {x * scale_, y * scale_};
  }

 private:
  double scale_;
};

// Fills a flat face of the model, moved `shift_x` pixels sideways on screen.
void FillFace(Canvas& canvas, const Projection& project, std::initializer_list<Vec3> corners,
              Colour colour, double shift_x = 0.0) {
  std::vector<Point> points;
  points.reserve(corners.size());
  for (const Vec3& corner : corners) {
    const Point point = project(corner);
    points.push_back({point.x + shift_x, point.y});
  }
  canvas.FillPolygon(points, colour);
}

double PinCentre(int index) {
  const double pitch = kLength / kPinsPerRow;
  return (-kLength / 2.0) + (pitch * (index + 0.5));
}

// One pin on the side of the body at `side_y`, bending outwards by `outwards`
// (+1 for the back row, -1 for the front row) and then down. The pin is moved
// sideways by less than half a pixel so that its vertical edges fall on pixel
// boundaries: thin legs stay crisp instead of smearing over two columns.
void DrawPin(Canvas& canvas, const Projection& project, double centre_x, double side_y,
             double outwards) {
  const double left = centre_x - (kPinWidth / 2.0);
  const double middle = centre_x;
  const double right = centre_x + (kPinWidth / 2.0);
  const double bend_y = side_y + (outwards * kPinReach);
  const double unsnapped = project({left, bend_y, kPinLevel}).x;
  const double shift = std::floor(unsnapped + 0.5) - unsnapped;
  FillFace(canvas, project,
           {{left, side_y, kPinLevel},
            {right, side_y, kPinLevel},
            {right, bend_y, kPinLevel},
            {left, bend_y, kPinLevel}},
           kPinTopColour, shift);
  FillFace(canvas, project,
           {{left, bend_y, kPinLevel},
            {middle, bend_y, kPinLevel},
            {middle, bend_y, kPinFoot},
            {left, bend_y, kPinFoot}},
           kPinFaceColour, shift);
  // The right half of the leg turns away from the light.
  FillFace(canvas, project,
           {{middle, bend_y, kPinLevel},
            {right, bend_y, kPinLevel},
            {right, bend_y, kPinFoot},
            {middle, bend_y, kPinFoot}},
           kPinShadeColour, shift);
}

// The notch: a half disc cut into the top at pin 1's end. Its points come from
// the rational parametrisation of the circle, again to keep library
// trigonometry out of the drawing.
void DrawNotch(Canvas& canvas, const Projection& project, double end_x) {
  constexpr int kSteps = 8;
  std::vector<Point> outline;
  for (int i = -kSteps; i <= kSteps; ++i) {
    const double t = static_cast<double>(i) / kSteps;
    const double cosine = (1.0 - (t * t)) / (1.0 + (t * t));
    const double sine = (2.0 * t) / (1.0 + (t * t));
    outline.push_back(project({end_x + (kNotchRadius * cosine), kNotchRadius * sine, kBodyTop}));
  }
  canvas.FillPolygon(outline, kNotchColour);
}

// The faces that the viewer sees: the front, pin 1's end and the top.
void DrawBody(Canvas& canvas, const Projection& project) {
  const double x0 = -kLength / 2.0;
  const double x1 = kLength / 2.0;
  const double front = -kWidth / 2.0;
  const double back = kWidth / 2.0;
  FillFace(canvas, project,
           {{x0, front, kBodyBottom},
            {x1, front, kBodyBottom},
            {x1, front, kBodyTop},
            {x0, front, kBodyTop}},
           kBodyFrontColour);
  FillFace(canvas, project,
           {{x0, back, kBodyBottom},
            {x0, front, kBodyBottom},
            {x0, front, kBodyTop},
            {x0, back, kBodyTop}},
           kBodyEndColour);
  FillFace(
      canvas, project,
      {{x0, front, kBodyTop}, {x1, front, kBodyTop}, {x1, back, kBodyTop}, {x0, back, kBodyTop}},
      kBodyTopColour);
  // A lighter line along the front top edge shows where the top turns down.
  FillFace(canvas, project,
           {{x0, front, kBodyTop},
            {x1, front, kBodyTop},
            {x1, front + kEdgeHighlight, kBodyTop},
            {x0, front + kEdgeHighlight, kBodyTop}},
           kBodyEdgeColour);
  DrawNotch(canvas, project, x0);
}

}  // namespace

IndexedImage DrawChipIcon(int size) {
  Canvas canvas(size, size);
  const Projection project(size);
  // Back to front: the far row, the body, then the near row, each row from
  // its far end (pin 1's end faces the viewer).
  for (int i = kPinsPerRow - 1; i >= 0; --i) {
    DrawPin(canvas, project, PinCentre(i), kWidth / 2.0, 1.0);
  }
  DrawBody(canvas, project);
  for (int i = kPinsPerRow - 1; i >= 0; --i) {
    DrawPin(canvas, project, PinCentre(i), -kWidth / 2.0, -1.0);
  }
  return ToIndexedImage(canvas, true);
}

}  // namespace plinthar::assets
