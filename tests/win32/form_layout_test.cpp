#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "bitmap_bytes.h"
#include "expected_form.h"
#include "text_conversion.h"
#include "win32_window_test_support.h"

using plinthar::form::ControlKind;
using plinthar::form::TextAlignment;
using plinthar::testing::ExpectedControl;
using plinthar::testing::Form;
using plinthar::testing::kExpectedControls;
using plinthar::testing::RectInParent;
using plinthar::testing::TemporaryFolder;
using plinthar::testing::TextOf;
using plinthar::win32::Utf8ToWide;

namespace {

std::wstring ClassOf(HWND window) {
  std::array<wchar_t, 256> name{};
  const int length = GetClassNameW(window, name.data(), static_cast<int>(name.size()));
  return {name.data(), static_cast<std::size_t>(length)};
}

LONG StyleOf(HWND window) {
  return GetWindowLongW(window, GWL_STYLE);
}

LOGFONTW FontOf(HWND control) {
  LOGFONTW font{};
  auto* handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  GetObjectW(handle, sizeof font, &font);
  return font;
}

std::string NameOf(const Form& form, HWND control) {
  if (control == form.Handle()) {
    return "二进制计算";
  }
  for (const ExpectedControl& expected : kExpectedControls) {
    if (form.Control(expected.name) == control) {
      return expected.name;
    }
  }
  return "?";
}

std::vector<std::string> ChildNames(const Form& form, HWND parent) {
  std::vector<std::string> names;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    names.push_back(NameOf(form, child));
  }
  return names;
}

// The style bits that tell the kind of a control and how it shows its text.
enum class Look : std::uint8_t { Centred, RightAligned, PushButton, PinBox, Label, Frame, Picture };

Look LookOf(const ExpectedControl& expected) {
  switch (expected.kind) {
    case ControlKind::TextBox:
      return expected.alignment == TextAlignment::Right ? Look::RightAligned : Look::Centred;
    case ControlKind::Button:
      return Look::PushButton;
    case ControlKind::Frame:
      return Look::Frame;
    case ControlKind::CheckBox:
      return Look::PinBox;
    case ControlKind::Label:
      return Look::Label;
    case ControlKind::PictureBox:
      break;
  }
  return Look::Picture;
}

const wchar_t* ClassNameOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::TextBox:
      return L"Edit";
    case ControlKind::Button:
    case ControlKind::CheckBox:
      return L"Button";
    case ControlKind::Frame:
      return L"PlintharFrameBox";
    case ControlKind::Label:
      return L"Static";
    case ControlKind::PictureBox:
      break;
  }
  return L"PlintharPictureBox";
}

RECT At(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

void ExpectLook(HWND control, Look look) {
  const LONG style = StyleOf(control);
  const LONG extended = GetWindowLongW(control, GWL_EXSTYLE);
  switch (look) {
    case Look::Centred:
    case Look::RightAligned:
      EXPECT_EQ(style & (ES_CENTER | ES_RIGHT), look == Look::Centred ? ES_CENTER : ES_RIGHT);
      EXPECT_EQ(style & ES_MULTILINE, 0);
      EXPECT_NE(style & ES_AUTOHSCROLL, 0);
      EXPECT_NE(extended & WS_EX_CLIENTEDGE, 0);
      // Far beyond the default 30,000 characters.
      EXPECT_GE(SendMessageW(control, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
      return;
    case Look::PushButton:
      // Never BS_DEFPUSHBUTTON: the form has no default button.
      EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON);
      return;
    case Look::PinBox:
      // Not BS_AUTOCHECKBOX: the core flips the pin, not the box.
      EXPECT_EQ(style & BS_TYPEMASK, BS_CHECKBOX);
      EXPECT_EQ(SendMessageW(control, BM_GETCHECK, 0, 0), BST_UNCHECKED);
      return;
    case Look::Label:
      EXPECT_EQ(style & SS_TYPEMASK, SS_LEFTNOWORDWRAP);
      EXPECT_NE(style & SS_NOPREFIX, 0);
      return;
    case Look::Frame:
      EXPECT_NE(extended & WS_EX_CONTROLPARENT, 0);
      return;
    case Look::Picture:
      EXPECT_NE(extended & WS_EX_CLIENTEDGE, 0);
      return;
  }
}

}  // namespace

namespace plinthar::testing {

void PrintTo(const ExpectedControl& row, std::ostream* out) {
  *out << row.name;
}

}  // namespace plinthar::testing

namespace {

class Controls : public ::testing::TestWithParam<ExpectedControl> {};

TEST_P(Controls, StandAsTheFormDrewThem) {
  const ExpectedControl& expected = GetParam();
  const Form form;
  HWND control = form.Control(expected.name);
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(ClassOf(control), ClassNameOf(expected.kind));
  EXPECT_EQ(NameOf(form, GetParent(control)), expected.container);
  const RECT geometry = RectInParent(control);
  const RECT drawn = At(expected.left, expected.top, expected.width, expected.height);
  EXPECT_TRUE(EqualRect(&geometry, &drawn))
      << geometry.left << ", " << geometry.top << ", " << geometry.right - geometry.left << " x "
      << geometry.bottom - geometry.top;
  EXPECT_EQ(TextOf(control), Utf8ToWide(expected.caption));
  // The frame and the picture box draw no text, so they keep no font.
  if (expected.kind == ControlKind::Frame || expected.kind == ControlKind::PictureBox) {
    EXPECT_EQ(SendMessageW(control, WM_GETFONT, 0, 0), 0);
  } else {
    const LOGFONTW font = FontOf(control);
    EXPECT_STREQ(font.lfFaceName, L"宋体");
    EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    EXPECT_EQ(font.lfHeight, -expected.fontPixels);
    EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
  }
  EXPECT_EQ((StyleOf(control) & WS_TABSTOP) != 0, expected.tabStop);
  ExpectLook(control, LookOf(expected));
}

INSTANTIATE_TEST_SUITE_P(Form, Controls, ::testing::ValuesIn(kExpectedControls),
                         [](const auto& row) { return std::string(row.param.name); });

// The dialog manager's Tab follows the stacking order of the children.
TEST(FormLayout, ControlsAreStackedByTabIndex) {
  const Form form;
  EXPECT_EQ(ChildNames(form, form.Handle()),
            (std::vector<std::string>{"Picture1", "Frame1", "Text1", "Command2", "Command3",
                                      "Text2", "Command1", "Label10", "Text3", "Label11"}));
  EXPECT_EQ(ChildNames(form, form.Control("Frame1")),
            (std::vector<std::string>{"Check8", "Check7", "Check6", "Check5", "Check4", "Check3",
                                      "Check2", "Check1", "Label1", "Label2", "Label3", "Label4",
                                      "Label5", "Label6", "Label7", "Label8", "Label9"}));
}

TEST(FormLayout, WindowFrame) {
  const Form form;
  EXPECT_EQ(ClassOf(form.Handle()), L"二进制计算");
  const std::wstring title = TextOf(form.Handle());
  EXPECT_EQ(title.rfind(L"Plinthar ", 0), 0U) << title.size();
  EXPECT_GT(title.size(), std::wstring(L"Plinthar ").size());

  const LONG style = StyleOf(form.Handle());
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_NE(style & WS_SYSMENU, 0);
  EXPECT_EQ(style & static_cast<LONG>(WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD |
                                      WS_POPUP),
            0);
  EXPECT_NE(GetWindowLongW(form.Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
  EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), nullptr);
  EXPECT_EQ(GetMenu(form.Handle()), nullptr);

  RECT client{};
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(client.right, plinthar::testing::kExpectedClientWidth);
  EXPECT_EQ(client.bottom, plinthar::testing::kExpectedClientHeight);
  POINT origin{0, 0};
  ClientToScreen(form.Handle(), &origin);
  EXPECT_EQ(origin.x, plinthar::testing::kExpectedClientLeft);
  EXPECT_EQ(origin.y, plinthar::testing::kExpectedClientTop);
}

// On a screen whose work area is smaller than the form's place and the
// window, the window opens moved just inside it, or shows its top-left corner
// when it is larger.
struct SmallScreen {
  const char* name;
  RECT workArea;
  bool windowFits;
};

class OnASmallScreen : public ::testing::TestWithParam<SmallScreen> {};

TEST_P(OnASmallScreen, TheWindowOpensInsideTheWorkArea) {
  const RECT work = GetParam().workArea;
  const TemporaryFolder folder;
  const plinthar::win32::MainWindow window(GetModuleHandleW(nullptr), folder.Path() / "LCD.BMP",
                                           [&](const RECT&) { return work; });
  RECT outer{};
  GetWindowRect(window.Handle(), &outer);
  if (GetParam().windowFits) {
    EXPECT_GE(outer.left, work.left);
    EXPECT_GE(outer.top, work.top);
    EXPECT_EQ(outer.right, work.right);
    EXPECT_EQ(outer.bottom, work.bottom);
  } else {
    EXPECT_EQ(outer.left, work.left);
    EXPECT_EQ(outer.top, work.top);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Screens, OnASmallScreen,
    ::testing::Values(SmallScreen{"SmallerThanThePlace", {0, 0, 600, 500}, true},
                      SmallScreen{"SmallerThanTheWindow", {100, 50, 300, 250}, false}),
    [](const auto& row) { return std::string(row.param.name); });

// The class icon comes from the program's resources, at the two sizes that
// the title bar and the task bar use.
TEST(FormLayout, WindowIconHasBothSizes) {
  const Form form;
  for (const auto& [index, metric] :
       {std::pair{GCLP_HICON, SM_CXICON}, std::pair{GCLP_HICONSM, SM_CXSMICON}}) {
    auto* icon = reinterpret_cast<HICON>(GetClassLongPtrW(form.Handle(), index));
    ASSERT_NE(icon, nullptr) << index;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(metric)) << index;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
}

// The font must keep the form's 8 px half-width pitch, or the pin names drift
// away from their boxes.
class PinName : public ::testing::TestWithParam<int> {};

TEST_P(PinName, StandsUnderItsBox) {
  const int pin = GetParam();
  const Form form;
  HWND names = form.Control("Label9");
  HWND box = form.Pin(pin);
  HDC dc = GetDC(names);
  auto* previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(names, WM_GETFONT, 0, 0)));
  const std::wstring text = TextOf(names);
  const std::wstring name = L"P" + std::to_wstring(pin);
  const std::size_t at = text.find(name);
  SIZE p{};
  SIZE before{};
  SIZE width{};
  GetTextExtentPoint32W(dc, L"P", 1, &p);
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(at), &before);
  GetTextExtentPoint32W(dc, name.c_str(), static_cast<int>(name.size()), &width);
  SelectObject(dc, previous);
  ReleaseDC(names, dc);

  EXPECT_EQ(p.cx, 8);
  const RECT namesRect = RectInParent(names);
  const RECT boxRect = RectInParent(box);
  const int left = namesRect.left + before.cx;
  const int right = left + width.cx;
  EXPECT_GE(left, boxRect.left) << "P" << pin << " spans " << left << ".." << right;
  EXPECT_LE(right, boxRect.right) << "P" << pin << " spans " << left << ".." << right;
}

INSTANTIATE_TEST_SUITE_P(Pins, PinName, ::testing::Range(0, 8),
                         [](const auto& row) { return "P" + std::to_string(row.param); });

// Moved to a monitor of 144 dpi, the window lays the form out again from its
// twips and points: 15 twips are 1.5 px there, 9 pt are 18 px.
struct ScaledControl {
  const char* name;
  RECT geometry;
  int fontPixels;
};

TEST(FormLayout, FollowsTheMonitorResolution) {
  const Form form;
  // The system asks for the window's size at the new resolution first: a
  // client area of exactly 4110 × 3795 twips there.
  SIZE size{};
  ASSERT_TRUE(
      SendMessageW(form.Handle(), WM_GETDPISCALEDSIZE, 144, reinterpret_cast<LPARAM>(&size)));
  RECT exact{0, 0, 411, 380};
  AdjustWindowRectExForDpi(&exact, static_cast<DWORD>(StyleOf(form.Handle())), FALSE,
                           static_cast<DWORD>(GetWindowLongW(form.Handle(), GWL_EXSTYLE)), 144);
  EXPECT_EQ(size.cx, exact.right - exact.left);
  EXPECT_EQ(size.cy, exact.bottom - exact.top);

  RECT suggested{100, 80, 100 + size.cx, 80 + size.cy};
  SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&suggested));
  RECT outer{};
  GetWindowRect(form.Handle(), &outer);
  EXPECT_TRUE(EqualRect(&outer, &suggested));

  for (const ScaledControl& expected : {ScaledControl{"Text3", At(324, 12, 62, 38), 24},
                                        ScaledControl{"Check1", At(348, 48, 26, 38), 18},
                                        ScaledControl{"Label1", At(355, 24, 14, 26), 18},
                                        ScaledControl{"Text1", At(216, 156, 170, 38), 32},
                                        ScaledControl{"Label9", At(12, 84, 362, 26), 24}}) {
    HWND control = form.Control(expected.name);
    const RECT geometry = RectInParent(control);
    EXPECT_TRUE(EqualRect(&geometry, &expected.geometry))
        << expected.name << ": " << geometry.left << ", " << geometry.top << ", "
        << geometry.right - geometry.left << " x " << geometry.bottom - geometry.top;
    EXPECT_EQ(FontOf(control).lfHeight, -expected.fontPixels) << expected.name;
  }
  for (const auto& [name, geometry] :
       {std::pair{"Picture1", At(36, 12, 158, 182)}, std::pair{"Frame1", At(12, 192, 386, 122)}}) {
    const RECT placed = RectInParent(form.Control(name));
    EXPECT_TRUE(EqualRect(&placed, &geometry)) << name;
  }
}

// A 24-bit bitmap whose pixel colours come from a function of the position,
// in bottom-up rows, or top-down ones with a negative height.
template <typename Colour>
std::vector<std::uint8_t> BitmapBytes(int width, int height, bool topDown, Colour colour) {
  return plinthar::testing::bmp::PaintedBitmap(width, height, topDown, [&](int x, int y) {
    const COLORREF rgb = colour(x, y);
    return plinthar::testing::bmp::Rgb{GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)};
  });
}

void WritePicture(const TemporaryFolder& folder, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(folder.Path() / "LCD.BMP", std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

// Where a painted box has no business to draw.
constexpr COLORREF kOutside = RGB(255, 0, 255);

// What the picture box paints, pixel by pixel, over its client area and a
// margin of kOutside to its right and below it.
class PaintedBox {
 public:
  explicit PaintedBox(HWND box, int margin = 0) {
    GetClientRect(box, &client_);
    HDC screen = GetDC(box);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, client_.right + margin, client_.bottom + margin);
    ReleaseDC(box, screen);
    previous_ = SelectObject(dc_, bitmap_);
    HBRUSH outside = CreateSolidBrush(kOutside);
    const RECT all{0, 0, client_.right + margin, client_.bottom + margin};
    FillRect(dc_, &all, outside);
    DeleteObject(outside);
    SendMessageW(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT | PRF_ERASEBKGND);
  }
  PaintedBox(const PaintedBox&) = delete;
  PaintedBox& operator=(const PaintedBox&) = delete;
  PaintedBox(PaintedBox&&) = delete;
  PaintedBox& operator=(PaintedBox&&) = delete;
  ~PaintedBox() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }

  [[nodiscard]] COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
  [[nodiscard]] const RECT& Client() const { return client_; }
  // The smallest rectangle that holds every pixel of the client area that is
  // not the background.
  [[nodiscard]] RECT Drawn() const {
    RECT drawn{client_.right, client_.bottom, 0, 0};
    for (int y = 0; y < client_.bottom; ++y) {
      for (int x = 0; x < client_.right; ++x) {
        if (At(x, y) != GetSysColor(COLOR_BTNFACE)) {
          drawn = {std::min<LONG>(drawn.left, x), std::min<LONG>(drawn.top, y),
                   std::max<LONG>(drawn.right, x + 1), std::max<LONG>(drawn.bottom, y + 1)};
        }
      }
    }
    return drawn;
  }
  [[nodiscard]] bool AllBackground() const { return Drawn().right == 0; }

 private:
  RECT client_{};
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// Blue in the top-left 10 × 10 corner, then red up to x 59, green beyond.
COLORREF Marked(int x, int y) {
  if (x < 10 && y < 10) {
    return kBlue;
  }
  return x < 60 ? kRed : kGreen;
}

class Picture : public ::testing::TestWithParam<bool> {};

// Larger than the box: drawn at its own size from the top-left corner, the
// right way up, and cut at the box's edges.
TEST_P(Picture, IsDrawnAtItsOwnSizeFromTheTopLeftCorner) {
  const TemporaryFolder folder;
  WritePicture(folder, BitmapBytes(300, 300, GetParam(), Marked));
  const Form form(folder.Path());
  const PaintedBox painted(form.Control("Picture1"));
  EXPECT_EQ(painted.At(0, 0), kBlue);
  EXPECT_EQ(painted.At(9, 9), kBlue);
  EXPECT_EQ(painted.At(10, 9), kRed);
  EXPECT_EQ(painted.At(59, 100), kRed);
  EXPECT_EQ(painted.At(60, 100), kGreen);
  EXPECT_EQ(painted.At(100, 116), kGreen);
}

INSTANTIATE_TEST_SUITE_P(Rows, Picture, ::testing::Bool(),
                         [](const auto& row) { return row.param ? "TopDown" : "BottomUp"; });

TEST(DisplayPicture, ASmallerPictureLeavesTheRestOfTheBoxEmpty) {
  const TemporaryFolder folder;
  WritePicture(folder, BitmapBytes(20, 20, false, [](int, int) { return kRed; }));
  const Form form(folder.Path());
  const PaintedBox painted(form.Control("Picture1"));
  EXPECT_EQ(painted.At(19, 19), kRed);
  EXPECT_EQ(painted.At(20, 19), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(painted.At(19, 20), GetSysColor(COLOR_BTNFACE));
}

// A picture cut short, or none at all, leaves the box empty; the window
// works all the same.
TEST(DisplayPicture, ATruncatedOrMissingFileLeavesTheBoxEmpty) {
  const TemporaryFolder folder;
  std::vector<std::uint8_t> truncated = BitmapBytes(50, 50, false, Marked);
  truncated.resize(truncated.size() - 1);
  WritePicture(folder, truncated);
  for (const bool missing : {false, true}) {
    if (missing) {
      std::filesystem::remove(folder.Path() / "LCD.BMP");
    }
    const Form form(folder.Path());
    EXPECT_TRUE(PaintedBox(form.Control("Picture1")).AllBackground()) << missing;
    form.Click(form.Pin(0));
    EXPECT_EQ(form.ShownPins(), 1) << missing;
  }
}

// The program's own folder, where the build puts LCD.BMP beside it.
std::filesystem::path ProgramFolder() {
  std::array<wchar_t, MAX_PATH> path{};
  GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  return std::filesystem::path(path.data()).parent_path();
}

// The largest difference in one of the three channels.
int ChannelDistance(COLORREF a, COLORREF b) {
  return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                   std::abs(GetBValue(a) - GetBValue(b))});
}

// The form laid out again for a monitor of another resolution, as the system
// does when the window moves there.
void ChangeResolution(const Form& form, int dotsPerInch) {
  SIZE size{};
  SendMessageW(form.Handle(), WM_GETDPISCALEDSIZE, static_cast<WPARAM>(dotsPerInch),
               reinterpret_cast<LPARAM>(&size));
  RECT outer{};
  GetWindowRect(form.Handle(), &outer);
  RECT suggested{outer.left, outer.top, outer.left + size.cx, outer.top + size.cy};
  SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(dotsPerInch, dotsPerInch),
               reinterpret_cast<LPARAM>(&suggested));
}

// The picture keeps its share of the box at 100, 125, 150 and 200 %: its
// natural size is its size at 96 dpi, as the box's is.
class PictureAtResolution : public ::testing::TestWithParam<int> {};

TEST_P(PictureAtResolution, IsItsSizeScaledFromTheInsideCorner) {
  const int dpi = GetParam();
  const Form form(ProgramFolder());
  // At 96 dpi the box shows LCD.BMP pixel for pixel (the tests above).
  const PaintedBox natural(form.Control("Picture1"));
  ChangeResolution(form, dpi);
  const PaintedBox painted(form.Control("Picture1"));

  const RECT drawn = painted.Drawn();
  EXPECT_EQ(drawn.left, 0);
  EXPECT_EQ(drawn.top, 0);
  EXPECT_NEAR(drawn.right, 101.0 * dpi / 96, 1.0);
  EXPECT_NEAR(drawn.bottom, 117.0 * dpi / 96, 1.0);
  // Smoothing blends the colours along every edge, so each pixel is held to
  // the pixel of LCD.BMP under its centre on the whole only: under Wine they
  // differ by 4.5 to 5 a pixel in the largest channel, by 55 upside down and
  // by 13 to 17 two pixels aside.
  const auto under = [dpi](int at) { return (2 * at + 1) * 96 / (2 * dpi); };
  long total = 0;
  for (int y = 0; y < drawn.bottom; ++y) {
    for (int x = 0; x < drawn.right; ++x) {
      total += ChannelDistance(painted.At(x, y), natural.At(under(x), under(y)));
    }
  }
  EXPECT_LE(static_cast<double>(total) / (drawn.right * drawn.bottom), 8.0);
}

// A picture larger than the box is cut at the box's inside edges at every
// resolution, even when the box paints into a device context that reaches
// further.
TEST_P(PictureAtResolution, IsClippedAtTheInsideOfTheBox) {
  const int dpi = GetParam();
  const TemporaryFolder folder;
  WritePicture(folder, BitmapBytes(300, 300, false, Marked));
  const Form form(folder.Path());
  ChangeResolution(form, dpi);
  const PaintedBox painted(form.Control("Picture1"), 20);
  const RECT& client = painted.Client();
  EXPECT_EQ(painted.At(0, 0), kBlue);
  EXPECT_EQ(painted.At(client.right - 1, client.bottom - 1), kGreen);
  EXPECT_EQ(painted.At(client.right, client.bottom / 2), kOutside);
  EXPECT_EQ(painted.At(client.right / 2, client.bottom), kOutside);
}

INSTANTIATE_TEST_SUITE_P(Monitors, PictureAtResolution, ::testing::Values(96, 120, 144, 192),
                         [](const auto& row) { return std::to_string(row.param) + "Dpi"; });

}  // namespace
