#pragma once

#include "plinthar/form/form_table.h"

namespace plinthar::form {

// The form is laid out in twips, 1/1440 inch: at 96 dots per inch one pixel
// is 15 twips.
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kPointsPerInch = 72;
inline constexpr int kDefaultDotsPerInch = 96;

// Rounds to the nearest pixel: Label1's 3550 twips are 236.7 px at 96 dpi,
// drawn at 237; at 144 dpi the 15-twip step between Picture1's bottom edge and
// Frame1's top edge is 1.5 px, drawn as 2.
constexpr int TwipsToPixels(int twips, int dotsPerInch = kDefaultDotsPerInch) {
  return (twips * dotsPerInch + kTwipsPerInch / 2) / kTwipsPerInch;
}

// The height in pixels of a font's em at the given size, rounded to the
// nearest pixel: 12 pt is 16 px at 96 dpi, 15.75 pt is 21 px.
constexpr int PointsToPixels(double points, int dotsPerInch = kDefaultDotsPerInch) {
  return static_cast<int>(points * dotsPerInch / kPointsPerInch + 0.5);
}

// A control's rectangle in pixels, measured from its container as its twips
// are, at a resolution.
struct PixelRect {
  int left;
  int top;
  int width;
  int height;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Left, top, width and height are each rounded to the nearest pixel, the
// same in every front-end.
constexpr PixelRect ControlRect(const ControlSpec& spec, int dotsPerInch = kDefaultDotsPerInch) {
  return {TwipsToPixels(spec.left, dotsPerInch), TwipsToPixels(spec.top, dotsPerInch),
          TwipsToPixels(spec.width, dotsPerInch), TwipsToPixels(spec.height, dotsPerInch)};
}

}  // namespace plinthar::form
