#pragma once

// Where the window opens, given the work area of the monitor it lands on:
// the one rule that both front-ends apply to the form's place.
namespace plinthar::form {

// A rectangle on the screen in pixels; right and bottom lie just outside it,
// as in the toolkits' own rectangles.
struct ScreenRect {
  int left;
  int top;
  int right;
  int bottom;
  friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// The window's rectangle kept where it is when it lies wholly within the work
// area, otherwise moved just enough to do so; along a side on which the window
// is larger than the work area, its top-left corner is put at the work area's,
// so that the title bar and the first controls stay within reach. The size
// never changes.
ScreenRect PlaceInWorkArea(const ScreenRect& window, const ScreenRect& workArea);

}  // namespace plinthar::form
