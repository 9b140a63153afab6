#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace plinthar::assets {

struct Colour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  friend bool operator==(const Colour&, const Colour&) = default;
};

struct Point {
  double x = 0.0;
  double y = 0.0;
};

// A drawing surface in full colour with coverage. Shapes are antialiased by
// sampling each pixel on a fixed 4 × 4 grid. Only the four basic operations
// of IEEE arithmetic are used, never library functions whose last bits vary,
// so a drawing comes out bit for bit the same wherever it is made.
// Pixel (x, y) covers [x, x + 1) × [y, y + 1).
class Canvas {
 public:
  Canvas(int width, int height);

  [[nodiscard]] int Width() const { return width_; }
  [[nodiscard]] int Height() const { return height_; }

  void Fill(Colour colour);
  // A simple or self-overlapping polygon, filled by the non-zero winding rule.
  void FillPolygon(std::span<const Point> corners, Colour colour);
  void FillEllipse(Point centre, double radius_x, double radius_y, Colour colour);
  // Sets one whole pixel without antialiasing (for bitmap glyphs); pixels off
  // the canvas are ignored.
  void SetPixel(int x, int y, Colour colour);

  // The drawn colour of a pixel, undoing the premultiplication by coverage;
  // meaningful only where Coverage() is above zero.
  [[nodiscard]] Colour ColourAt(int x, int y) const;
  // How much of the pixel the drawing covers, 0 (nothing) to 1 (all).
  [[nodiscard]] double Coverage(int x, int y) const;

 private:
  // Premultiplied colour and coverage, composited with the "over" rule.
  struct Sample {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
    double alpha = 0.0;
  };

  template <typename Inside>
  void FillShape(double left, double top, double right, double bottom, Colour colour,
                 Inside inside);
  void Composite(int x, int y, Colour colour, double coverage);
  [[nodiscard]] std::size_t Index(int x, int y) const;

  int width_;
  int height_;
  std::vector<Sample> pixels_;
};

}  // namespace plinthar::assets
