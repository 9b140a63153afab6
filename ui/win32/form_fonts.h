#pragma once

#include <windows.h>

#include <map>

namespace plinthar::win32 {

// The form's fonts at one screen resolution: 宋体 in the GB2312 character set,
// regular weight, one font per point size of the form, made when first asked
// for and kept until the window lives at another resolution (a window moved to
// another monitor is given a new set first, then the old set is deleted).
class FormFonts {
 public:
  explicit FormFonts(int dotsPerInch) : dotsPerInch_(dotsPerInch) {}
  FormFonts(const FormFonts&) = delete;
  FormFonts& operator=(const FormFonts&) = delete;
  FormFonts(FormFonts&&) = delete;
  FormFonts& operator=(FormFonts&&) = delete;
  ~FormFonts();

  HFONT At(double pointSize);

 private:
  int dotsPerInch_;
  std::map<double, HFONT> fonts_;
};

}  // namespace plinthar::win32
