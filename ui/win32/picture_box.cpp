#include "picture_box.h"

#include <cstring>
#include <utility>

#include "accessible_control.h"
#include "plinthar/form/form_table.h"
#include "plinthar/form/screen_units.h"
#include "window_class.h"

namespace plinthar::win32 {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr const wchar_t* kPictureBoxClass = L"PlintharPictureBox";

std::size_t PixelOffset(const std::vector<std::uint8_t>& bytes) {
  return static_cast<std::size_t>(bytes[10]) | (static_cast<std::size_t>(bytes[11]) << 8U) |
         (static_cast<std::size_t>(bytes[12]) << 16U) |
         (static_cast<std::size_t>(bytes[13]) << 24U);
}

// What a box shows: its picture, if any, and the resolution it is laid out
// for, which the window hands down with the rest of the layout.
struct BoxState {
  const DisplayPicture* picture = nullptr;
  int dotsPerInch = form::kDefaultDotsPerInch;
};

BoxState* StateOf(HWND box) {
  return reinterpret_cast<BoxState*>(GetWindowLongPtrW(box, GWLP_USERDATA));
}

void PaintBox(HWND box, HDC dc) {
  const BoxState* state = StateOf(box);
  if (state == nullptr || state->picture == nullptr) {
    return;
  }
  RECT interior{};
  GetClientRect(box, &interior);
  // A device context handed in by WM_PRINTCLIENT may reach beyond the box;
  // the picture never does.
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, interior.left, interior.top, interior.right, interior.bottom);
  state->picture->Draw(dc, state->dotsPerInch);
  RestoreDC(dc, saved);
}

LRESULT CALLBACK PictureBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new BoxState));
      return DefWindowProcW(box, message, wParam, lParam);
    case WM_NCDESTROY:
      delete StateOf(box);
      SetWindowLongPtrW(box, GWLP_USERDATA, 0);
      return DefWindowProcW(box, message, wParam, lParam);
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      HDC dc = BeginPaint(box, &paint);
      PaintBox(box, dc);
      EndPaint(box, &paint);
      return 0;
    }
    case WM_PRINTCLIENT: {
      auto* dc = reinterpret_cast<HDC>(wParam);
      RECT client{};
      GetClientRect(box, &client);
      FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
      PaintBox(box, dc);
      return 0;
    }
    case WM_LBUTTONDOWN:
      // A click gives the box the focus, as Tab does.
      SetFocus(box);
      return 0;
    case WM_GETOBJECT:
      if (const std::optional<LRESULT> answer =
              AnswerGetObject(box, form::Picture1, wParam, lParam)) {
        return *answer;
      }
      return DefWindowProcW(box, message, wParam, lParam);
    default:
      return DefWindowProcW(box, message, wParam, lParam);
  }
}

}  // namespace

DisplayPicture::DisplayPicture(std::vector<std::uint8_t> bytes, form::BitmapSize size)
    : bytes_(std::move(bytes)), pixelOffset_(PixelOffset(bytes_)), size_(size) {
  // The shared check has made sure the header and colour table end before
  // the pixels.
  const std::size_t infoSize = pixelOffset_ - kFileHeaderSize;
  info_.resize((infoSize + sizeof(std::uint32_t) - 1) / sizeof(std::uint32_t));
  std::memcpy(info_.data(), bytes_.data() + kFileHeaderSize, infoSize);
}

std::optional<DisplayPicture> DisplayPicture::Load(const std::filesystem::path& path) {
  std::optional<std::vector<std::uint8_t>> bytes = form::ReadPictureFile(path);
  if (!bytes) {
    return std::nullopt;
  }
  return FromBytes(std::move(*bytes));
}

std::optional<DisplayPicture> DisplayPicture::FromBytes(std::vector<std::uint8_t> bytes) {
  const std::optional<form::BitmapSize> size = form::CompleteBitmapSize(bytes);
  if (!size) {
    return std::nullopt;
  }
  return DisplayPicture(std::move(bytes), *size);
}

form::BitmapSize DisplayPicture::SizeAt(int dotsPerInch) const {
  // MulDiv rounds to the nearest pixel, as the form's twips do, and cannot
  // overflow for the widest picture the check lets through.
  return {MulDiv(size_.width, dotsPerInch, form::kDefaultDotsPerInch),
          MulDiv(size_.height, dotsPerInch, form::kDefaultDotsPerInch)};
}

void DisplayPicture::Draw(HDC dc, int dotsPerInch) const {
  const form::BitmapSize shown = SizeAt(dotsPerInch);
  if (shown != size_) {
    // HALFTONE averages the source pixels under each drawn one, where the
    // default mode drops whole rows and columns; it needs the brush origin set.
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
  }
  // At the form's own resolution the rows are drawn one to one. GDI turns
  // bottom-up and top-down rows the right way up by itself.
  StretchDIBits(dc, 0, 0, shown.width, shown.height, 0, 0, size_.width, size_.height,
                bytes_.data() + pixelOffset_, reinterpret_cast<const BITMAPINFO*>(info_.data()),
                DIB_RGB_COLORS, SRCCOPY);
}

const wchar_t* PictureBoxClass(HINSTANCE instance) {
  return ControlClass(instance, kPictureBoxClass, PictureBoxProc);
}

void SetBoxPicture(HWND box, const DisplayPicture* picture) {
  StateOf(box)->picture = picture;
  InvalidateRect(box, nullptr, TRUE);
}

void SetBoxResolution(HWND box, int dotsPerInch) {
  StateOf(box)->dotsPerInch = dotsPerInch;
  InvalidateRect(box, nullptr, TRUE);
}

}  // namespace plinthar::win32
