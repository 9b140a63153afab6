#pragma once

#include <string_view>

#include "canvas.h"

namespace plinthar::assets {

// A tiny font of its own for the segment names, so that the pictures never
// depend on the fonts installed where they are drawn. It knows the letters
// A to G and P; other characters draw as blank cells.
inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;
inline constexpr int kGlyphSpacing = 1;

int TextWidth(std::string_view text);

// Draws `text` with its top-left corner at (left, top), one font dot a pixel.
void DrawText(Canvas& canvas, int left, int top, std::string_view text, Colour colour);

}  // namespace plinthar::assets
