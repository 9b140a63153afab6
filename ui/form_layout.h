#pragma once

#include <QRect>
#include <QString>
#include <QtGlobal>

class QWidget;

namespace plinthar {

// The form is laid out in twips, as it was designed; at 96 dots per inch one
// pixel is 15 twips.
inline constexpr int kTwipsPerPixel = 15;

// Rounds to the nearest pixel: Label1's 3550 twips are 236.7 px, drawn at 237.
constexpr int TwipsToPixels(int twips) {
  return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// One control of the form: position and size in twips from the top-left
// corner of its container (the window's client area, or Frame1 for the pin
// row), its font size, its tab index and its caption (UTF-8, may be empty).
// Tab indices of controls that never take the focus keep their place in the
// numbering but are skipped by the focus chain.
struct ControlSpec {
  const char* name;
  int left;
  int top;
  int width;
  int height;
  qreal pointSize;
  int tabIndex;
  const char* caption;
};

inline constexpr const char* kFormName = "二进制计算";
inline constexpr const char* kApplicationTitle = "Plinthar";
inline constexpr const char* kCredit = "(plinthar@example.org)";
inline constexpr int kClientWidth = 4110;
inline constexpr int kClientHeight = 3795;
// The client area's top-left corner on the screen; the window is not centred.
inline constexpr int kClientLeft = 6120;
inline constexpr int kClientTop = 4395;
// Tab indices run from 0 to 26, one per control.
inline constexpr int kControlCount = 27;

// The controls, in the order the window creates them.
namespace form {
inline constexpr ControlSpec Text3{"Text3", 3240, 120, 615, 375, 12, 25, ""};
inline constexpr ControlSpec Command1{"Command1", 2520, 3240, 1455, 495, 9, 23, "十六进制转二制"};
inline constexpr ControlSpec Text2{"Text2", 3240, 840, 615, 375, 12, 22, ""};
inline constexpr ControlSpec Command3{"Command3", 120, 3240, 735, 495, 9, 13, "全选"};
inline constexpr ControlSpec Command2{"Command2", 960, 3240, 1455, 495, 9, 12, "十进制转二进制"};
inline constexpr ControlSpec Text1{"Text1", 2160, 1560, 1695, 375, 15.75, 11, ""};
inline constexpr ControlSpec Frame1{"Frame1", 120, 1920, 3855, 1215, 9, 1, ""};
inline constexpr ControlSpec Check1{"Check1", 3480, 480, 255, 375, 9, 9, ""};
inline constexpr ControlSpec Check2{"Check2", 3000, 480, 255, 375, 9, 8, ""};
inline constexpr ControlSpec Check3{"Check3", 2520, 480, 255, 375, 9, 7, ""};
inline constexpr ControlSpec Check4{"Check4", 2040, 480, 255, 375, 9, 6, ""};
inline constexpr ControlSpec Check5{"Check5", 1560, 480, 255, 375, 9, 5, ""};
inline constexpr ControlSpec Check6{"Check6", 1080, 480, 255, 375, 9, 4, ""};
inline constexpr ControlSpec Check7{"Check7", 600, 480, 255, 375, 9, 3, ""};
inline constexpr ControlSpec Check8{"Check8", 120, 480, 255, 375, 9, 2, ""};
// Each pin name with its two blanks is 480 twips wide in the window font, the
// pitch of the pin boxes, so every name stands under its own box.
inline constexpr ControlSpec Label9{"Label9", 120, 840, 3615,
                                    255,      12,  21,  "P7  P6  P5  P4  P3  P2  P1  P0"};
inline constexpr ControlSpec Label8{"Label8", 150, 240, 255, 255, 9, 20, "DP"};
inline constexpr ControlSpec Label7{"Label7", 660, 240, 135, 255, 9, 19, "G"};
inline constexpr ControlSpec Label6{"Label6", 1140, 240, 135, 255, 9, 18, "F"};
inline constexpr ControlSpec Label5{"Label5", 1620, 240, 135, 255, 9, 17, "E"};
inline constexpr ControlSpec Label4{"Label4", 2100, 240, 135, 255, 9, 16, "D"};
inline constexpr ControlSpec Label3{"Label3", 2580, 240, 135, 255, 9, 15, "C"};
inline constexpr ControlSpec Label2{"Label2", 3060, 240, 135, 255, 9, 14, "B"};
inline constexpr ControlSpec Label1{"Label1", 3550, 240, 135, 255, 9, 10, "A"};
inline constexpr ControlSpec Picture1{"Picture1", 360, 120, 1575, 1815, 9, 0, ""};
inline constexpr ControlSpec Label11{"Label11", 2160, 180, 975, 255, 12, 26, "十制制数"};
inline constexpr ControlSpec Label10{"Label10", 2160, 900, 975, 255, 12, 24, "十六进制"};
}  // namespace form

QRect PixelRect(const ControlSpec& spec);
QString Caption(const ControlSpec& spec);

// Gives a freshly created control its object name, geometry and font.
void PlaceControl(QWidget& control, const ControlSpec& spec);

}  // namespace plinthar
