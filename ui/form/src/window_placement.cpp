#include "plinthar/form/window_placement.h"

namespace plinthar::form {

namespace {

// The window's new start along one side of the screen.
int PlaceAlong(int start, int end, int areaStart, int areaEnd) {
  if (end - start > areaEnd - areaStart || start < areaStart) {
    return areaStart;
  }
  if (end > areaEnd) {
    return areaEnd - (end - start);
  }
  return start;
}

}  // namespace

ScreenRect PlaceInWorkArea(const ScreenRect& window, const ScreenRect& workArea) {
  const int left = PlaceAlong(window.left, window.right, workArea.left, workArea.right);
  const int top = PlaceAlong(window.top, window.bottom, workArea.top, workArea.bottom);
  return {left, top, left + (window.right - window.left), top + (window.bottom - window.top)};
}

}  // namespace plinthar::form
