#include "bitmap_font.h"

#include <array>
#include <cstddef>

namespace plinthar::assets {
namespace {

struct Glyph {
  char letter = 0;
  std::array<std::string_view, kGlyphHeight> rows;
};

constexpr std::array kGlyphs = {
    Glyph{'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    Glyph{'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    Glyph{'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    Glyph{'D', {"###..", "#..#.", "#...#", "#...#", "#...#", "#..#.", "###.."}},
    Glyph{'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    Glyph{'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    Glyph{'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
    Glyph{'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
};

const Glyph* FindGlyph(char letter) {
  for (const Glyph& glyph : kGlyphs) {
    if (glyph.letter == letter) {
      return &glyph;
    }
  }
  return nullptr;
}

}  // namespace

int TextWidth(std::string_view text) {
  if (text.empty()) {
    return 0;
  }
  const auto count = static_cast<int>(text.size());
  return (count * kGlyphWidth) + ((count - 1) * kGlyphSpacing);
}

void DrawText(Canvas& canvas, int left, int top, std::string_view text, Colour colour) {
  int cell_left = left;
  for (const char letter : text) {
    if (const Glyph* glyph = FindGlyph(letter)) {
      for (int row = 0; row < kGlyphHeight; ++row) {
        const std::string_view dots = glyph->rows[static_cast<std::size_t>(row)];
        for (int column = 0; column < kGlyphWidth; ++column) {
          if (dots[static_cast<std::size_t>(column)] == '#') {
            canvas.SetPixel(cell_left + column, top + row, colour);
          }
        }
      }
    }
    cell_left += kGlyphWidth + kGlyphSpacing;
  }
}

}  // namespace plinthar::assets
