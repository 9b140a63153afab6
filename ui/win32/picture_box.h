#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "plinthar/form/picture_check.h"

namespace plinthar::win32 {

// The display picture as the file holds it, drawn by GDI straight from those
// bytes; only bytes that pass the shared check get this far.
class DisplayPicture {
 public:
  // Nothing for a missing, unreadable or bad file: the box then stays empty.
  static std::optional<DisplayPicture> Load(const std::filesystem::path& path);
  // Nothing unless the bytes are a complete bitmap.
  static std::optional<DisplayPicture> FromBytes(std::vector<std::uint8_t> bytes);

  // The picture's natural size is its size at the form's 96 dpi, so that it
  // keeps its share of the box, which is given in twips, at any resolution.
  [[nodiscard]] form::BitmapSize SizeAt(int dotsPerInch) const;
  // Draws the picture at its natural size for the resolution with its
  // top-left corner at the origin: pixel for pixel at 96 dpi, smoothly
  // stretched at any other. The device context's clipping cuts what lies
  // outside.
  void Draw(HDC dc, int dotsPerInch) const;

 private:
  DisplayPicture(std::vector<std::uint8_t> bytes, form::BitmapSize size);

  std::vector<std::uint8_t> bytes_;
  // The header and colour table, copied out of the file's bytes, where they
  // start at offset 14, to storage aligned for BITMAPINFO.
  std::vector<std::uint32_t> info_;
  std::size_t pixelOffset_;
  form::BitmapSize size_;
};

// The window class of Picture1: a focusable box with a sunken border that
// shows one picture or nothing, clipped at its inside edges. The box keeps a
// pointer to its picture, which must outlive it. Registers the class on the
// first call.
const wchar_t* PictureBoxClass(HINSTANCE instance);
void SetBoxPicture(HWND box, const DisplayPicture* picture);
// The resolution the form is laid out for; the box draws its picture anew.
void SetBoxResolution(HWND box, int dotsPerInch);

}  // namespace plinthar::win32
