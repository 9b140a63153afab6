#include "form_fonts.h"

#include "plinthar/form/screen_units.h"

namespace plinthar::win32 {

FormFonts::~FormFonts() {
  for (const auto& [size, font] : fonts_) {
    DeleteObject(font);
  }
}

HFONT FormFonts::At(double pointSize) {
  const auto found = fonts_.find(pointSize);
  if (found != fonts_.end()) {
    return found->second;
  }
  // A negative height asks for the em height, which is what a point size
  // measures, rather than the cell height.
  HFONT font =
      CreateFontW(-form::PointsToPixels(pointSize, dotsPerInch_), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                  FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                  DEFAULT_PITCH | FF_DONTCARE, L"宋体");
  fonts_.emplace(pointSize, font);
  return font;
}

}  // namespace plinthar::win32
