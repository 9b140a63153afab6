#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace plinthar::assets {
namespace {

constexpr int kGrid = 4;
constexpr double kSampleWeight = 1.0 / (kGrid * kGrid);

// Twice the signed area swept from the sample point along one edge; its sign
// says on which side of the edge the point lies.
double Cross(Point from, Point to, Point sample) {
  return ((to.x - from.x) * (sample.y - from.y)) - ((sample.x - from.x) * (to.y - from.y));
}

int WindingNumber(std::span<const Point> corners, Point sample) {
  int winding = 0;
  for (std::size_t i = 0; i < corners.size(); ++i) {
    const Point from = corners[i];
    const Point to = corners[(i + 1) % corners.size()];
    if (from.y <= sample.y) {
      if (to.y > sample.y && Cross(from, to, sample) > 0.0) {
        ++winding;
      }
    } else if (to.y <= sample.y && Cross(from, to, sample) < 0.0) {
      --winding;
    }
  }
  return winding;
}

}  // namespace

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {}

void Canvas::Fill(Colour colour) {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      SetPixel(x, y, colour);
    }
  }
}

void Canvas::FillPolygon(std::span<const Point> corners, Colour colour) {
  if (corners.empty()) {
    return;
  }
  double left = corners.front().x;
  double right = left;
  double top = corners.front().y;
  double bottom = top;
  for (const Point& corner : corners) {
    left = std::min(left, corner.x);
    right = std::max(right, corner.x);
    top = std::min(top, corner.y);
    bottom = std::max(bottom, corner.y);
  }
  FillShape(left, top, right, bottom, colour,
            [corners](Point sample) { return WindingNumber(corners, sample) != 0; });
}

void Canvas::FillEllipse(Point centre, double radius_x, double radius_y, Colour colour) {
  FillShape(centre.x - radius_x, centre.y - radius_y, centre.x + radius_x, centre.y + radius_y,
            colour, [centre, radius_x, radius_y](Point sample) {
              const double dx = (sample.x - centre.x) / radius_x;
              const double dy = (sample.y - centre.y) / radius_y;
              return (dx * dx) + (dy * dy) <= 1.0;
            });
}

void Canvas::SetPixel(int x, int y, Colour colour) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) {
    return;
  }
  pixels_[Index(x, y)] = {static_cast<double>(colour.red), static_cast<double>(colour.green),
                          static_cast<double>(colour.blue), 1.0};
}

Colour Canvas::ColourAt(int x, int y) const {
  const Sample& pixel = pixels_[Index(x, y)];
  if (pixel.alpha <= 0.0) {
    return {};
  }
  const auto channel = [&pixel](double premultiplied) {
    return static_cast<std::uint8_t>(
        std::clamp(std::floor((premultiplied / pixel.alpha) + 0.5), 0.0, 255.0));
  };
  return {channel(pixel.red), channel(pixel.green), channel(pixel.blue)};
}

double Canvas::Coverage(int x, int y) const {
  return pixels_[Index(x, y)].alpha;
}

template <typename Inside>
void Canvas::FillShape(double left, double top, double right, double bottom, Colour colour,
                       Inside inside) {
  const int first_x = std::max(0, static_cast<int>(std::floor(left)));
  const int last_x = std::min(width_ - 1, static_cast<int>(std::floor(right)));
  const int first_y = std::max(0, static_cast<int>(std::floor(top)));
  const int last_y = std::min(height_ - 1, static_cast<int>(std::floor(bottom)));
  for (int y = first_y; y <= last_y; ++y) {
    for (int x = first_x; x <= last_x; ++x) {
      int hits = 0;
      for (int row = 0; row < kGrid; ++row) {
        for (int column = 0; column < kGrid; ++column) {
          const Point sample{x + ((column + 0.5) / kGrid), y + ((row + 0.5) / kGrid)};
          if (inside(sample)) {
            ++hits;
          }
        }
      }
      if (hits > 0) {
        Composite(x, y, colour, hits * kSampleWeight);
      }
    }
  }
}

void Canvas::Composite(int x, int y, Colour colour, double coverage) {
  Sample& pixel = pixels_[Index(x, y)];
  const double keep = 1.0 - coverage;
  pixel.red = (colour.red * coverage) + (pixel.red * keep);
  pixel.green = (colour.green * coverage) + (pixel.green * keep);
  pixel.blue = (colour.blue * coverage) + (pixel.blue * keep);
  pixel.alpha = coverage + (pixel.alpha * keep);
}

std::size_t Canvas::Index(int x, int y) const {
  return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_)) +
         static_cast<std::size_t>(x);
}

}  // namespace plinthar::assets
