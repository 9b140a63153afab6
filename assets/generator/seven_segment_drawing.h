#pragma once

#include "indexed_image.h"

namespace plinthar::assets {

// The picture beside the number boxes fills the client area of its sunken
// 105 × 121 box exactly.
inline constexpr int kDigitPictureWidth = 101;
inline constexpr int kDigitPictureHeight = 117;

// One seven-segment display digit with its decimal point, drawn like a data
// sheet figure: every segment carries its letter, so that the user can match
// the segments to the letters above the pin boxes.
IndexedImage DrawSevenSegmentDigit();

}  // namespace plinthar::assets
