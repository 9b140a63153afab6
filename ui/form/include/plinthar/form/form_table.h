#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "plinthar/converter_state.h"

// The form 二进制计算 as it was drawn, free of any toolkit: every front-end
// creates its controls from this table and nothing else.
namespace plinthar::form {

enum class ControlKind : std::uint8_t { TextBox, Button, Frame, CheckBox, Label, PictureBox };

// Where a control's Left and Top are measured from: the window's client area,
// or the outer top-left corner of Frame1 for the pin row.
enum class Container : std::uint8_t { Window, Frame1 };

enum class TextAlignment : std::uint8_t { Left, Centre, Right };

// What a screen reader announces a control as. Each window gives these the
// roles of its own platform, so both announce the same thing.
enum class AccessibleRole : std::uint8_t {
  Text,
  PushButton,
  Grouping,
  CheckBox,
  StaticText,
  Graphic
};

constexpr AccessibleRole RoleOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::TextBox:
      return AccessibleRole::Text;
    case ControlKind::Button:
      return AccessibleRole::PushButton;
    case ControlKind::Frame:
      return AccessibleRole::Grouping;
    case ControlKind::CheckBox:
      return AccessibleRole::CheckBox;
    case ControlKind::Label:
      return AccessibleRole::StaticText;
    case ControlKind::PictureBox:
      break;
  }
  return AccessibleRole::Graphic;
}

// One control: position and size in twips, font size in points, tab index,
// caption and accessible name (UTF-8, either may be empty). Tab indices of the
// controls that never take the focus keep their place in the numbering but
// are skipped by the focus chain.
//
// The accessible name is what a screen reader calls the control. The buttons
// and labels have none of their own: they are called by the caption they
// show at the moment, which for Command3 changes. Every other control is
// named here, since left to itself a system names a caption-less box after
// whatever text happens to stand before it.
struct ControlSpec {
  const char* name;
  ControlKind kind;
  Container container;
  int left;
  int top;
  int width;
  int height;
  double pointSize;
  int tabIndex;
  TextAlignment alignment;
  const char* caption;
  const char* accessibleName;
};

inline constexpr const char* kFormName = "二进制计算";
inline constexpr const char* kApplicationTitle = "Plinthar";
inline constexpr const char* kCredit = "(plinthar@example.org)";
inline constexpr int kClientWidth = 4110;
inline constexpr int kClientHeight = 3795;
// The client area's top-left corner on the screen; the window is not centred.
inline constexpr int kClientLeft = 6120;
inline constexpr int kClientTop = 4395;
inline constexpr double kWindowPointSize = 12.0;
// The picture shipped beside the program, read once at start-up.
inline constexpr const char* kDisplayPictureFileName = "LCD.BMP";

// The window's caption: the title, one blank and the credit.
std::string_view WindowCaption();

// The controls, in the order the window creates them.
// clang-format off
//                                    name        kind                     container          left  top   width height pt  tab  alignment              caption                           accessible name
inline constexpr ControlSpec Text3{   "Text3",    ControlKind::TextBox,    Container::Window, 3240, 120,  615,  375,  12,    25, TextAlignment::Centre, "",                               "十制制数"};
inline constexpr ControlSpec Command1{"Command1", ControlKind::Button,     Container::Window, 2520, 3240, 1455, 495,  9,     23, TextAlignment::Left,   "十六进制转二制",                        ""};
inline constexpr ControlSpec Text2{   "Text2",    ControlKind::TextBox,    Container::Window, 3240, 840,  615,  375,  12,    22, TextAlignment::Centre, "",                               "十六进制"};
inline constexpr ControlSpec Command3{"Command3", ControlKind::Button,     Container::Window, 120,  3240, 735,  495,  9,     13, TextAlignment::Left,   "全选",                             ""};
inline constexpr ControlSpec Command2{"Command2", ControlKind::Button,     Container::Window, 960,  3240, 1455, 495,  9,     12, TextAlignment::Left,   "十进制转二进制",                        ""};
inline constexpr ControlSpec Text1{   "Text1",    ControlKind::TextBox,    Container::Window, 2160, 1560, 1695, 375,  15.75, 11, TextAlignment::Right,  "",                               "二进制"};
inline constexpr ControlSpec Frame1{  "Frame1",   ControlKind::Frame,      Container::Window, 120,  1920, 3855, 1215, 9,     1,  TextAlignment::Left,   "",                               "端口引脚 P7 至 P0"};
inline constexpr ControlSpec Check1{  "Check1",   ControlKind::CheckBox,   Container::Frame1, 3480, 480,  255,  375,  9,     9,  TextAlignment::Left,   "",                               "P0 A"};
inline constexpr ControlSpec Check2{  "Check2",   ControlKind::CheckBox,   Container::Frame1, 3000, 480,  255,  375,  9,     8,  TextAlignment::Left,   "",                               "P1 B"};
inline constexpr ControlSpec Check3{  "Check3",   ControlKind::CheckBox,   Container::Frame1, 2520, 480,  255,  375,  9,     7,  TextAlignment::Left,   "",                               "P2 C"};
inline constexpr ControlSpec Check4{  "Check4",   ControlKind::CheckBox,   Container::Frame1, 2040, 480,  255,  375,  9,     6,  TextAlignment::Left,   "",                               "P3 D"};
inline constexpr ControlSpec Check5{  "Check5",   ControlKind::CheckBox,   Container::Frame1, 1560, 480,  255,  375,  9,     5,  TextAlignment::Left,   "",                               "P4 E"};
inline constexpr ControlSpec Check6{  "Check6",   ControlKind::CheckBox,   Container::Frame1, 1080, 480,  255,  375,  9,     4,  TextAlignment::Left,   "",                               "P5 F"};
inline constexpr ControlSpec Check7{  "Check7",   ControlKind::CheckBox,   Container::Frame1, 600,  480,  255,  375,  9,     3,  TextAlignment::Left,   "",                               "P6 G"};
inline constexpr ControlSpec Check8{  "Check8",   ControlKind::CheckBox,   Container::Frame1, 120,  480,  255,  375,  9,     2,  TextAlignment::Left,   "",                               "P7 DP"};
// Each pin name with its two blanks is 480 twips wide in the window font, the
// pitch of the pin boxes, so every name stands under its own box.
inline constexpr ControlSpec Label9{  "Label9",   ControlKind::Label,      Container::Frame1, 120,  840,  3615, 255,  12,    21, TextAlignment::Left,   "P7  P6  P5  P4  P3  P2  P1  P0", ""};
inline constexpr ControlSpec Label8{  "Label8",   ControlKind::Label,      Container::Frame1, 150,  240,  255,  255,  9,     20, TextAlignment::Left,   "DP",                             ""};
inline constexpr ControlSpec Label7{  "Label7",   ControlKind::Label,      Container::Frame1, 660,  240,  135,  255,  9,     19, TextAlignment::Left,   "G",                              ""};
inline constexpr ControlSpec Label6{  "Label6",   ControlKind::Label,      Container::Frame1, 1140, 240,  135,  255,  9,     18, TextAlignment::Left,   "F",                              ""};
inline constexpr ControlSpec Label5{  "Label5",   ControlKind::Label,      Container::Frame1, 1620, 240,  135,  255,  9,     17, TextAlignment::Left,   "E",                              ""};
inline constexpr ControlSpec Label4{  "Label4",   ControlKind::Label,      Container::Frame1, 2100, 240,  135,  255,  9,     16, TextAlignment::Left,   "D",                              ""};
inline constexpr ControlSpec Label3{  "Label3",   ControlKind::Label,      Container::Frame1, 2580, 240,  135,  255,  9,     15, TextAlignment::Left,   "C",                              ""};
inline constexpr ControlSpec Label2{  "Label2",   ControlKind::Label,      Container::Frame1, 3060, 240,  135,  255,  9,     14, TextAlignment::Left,   "B",                              ""};
inline constexpr ControlSpec Label1{  "Label1",   ControlKind::Label,      Container::Frame1, 3550, 240,  135,  255,  9,     10, TextAlignment::Left,   "A",                              ""};
inline constexpr ControlSpec Picture1{"Picture1", ControlKind::PictureBox, Container::Window, 360,  120,  1575, 1815, 9,     0,  TextAlignment::Left,   "",                               "七段数码管及段名 A 至 G、DP"};
inline constexpr ControlSpec Label11{ "Label11",  ControlKind::Label,      Container::Window, 2160, 180,  975,  255,  12,    26, TextAlignment::Left,   "十制制数",                           ""};
inline constexpr ControlSpec Label10{ "Label10",  ControlKind::Label,      Container::Window, 2160, 900,  975,  255,  12,    24, TextAlignment::Left,   "十六进制",                           ""};
// clang-format on

inline constexpr std::size_t kControlCount = 27;

inline constexpr std::array<const ControlSpec*, kControlCount> kControls{
    &Text3,  &Command1, &Text2,  &Command3, &Command2, &Text1,  &Frame1,   &Check1,  &Check2,
    &Check3, &Check4,   &Check5, &Check6,   &Check7,   &Check8, &Label9,   &Label8,  &Label7,
    &Label6, &Label5,   &Label4, &Label3,   &Label2,   &Label1, &Picture1, &Label11, &Label10};

// The control's place in kControls, kControlCount for a control not in it.
constexpr std::size_t ControlIndex(const ControlSpec& spec) {
  std::size_t index = 0;
  while (index < kControls.size() && kControls.at(index) != &spec) {
    ++index;
  }
  return index;
}

// The pin boxes by pin: P0 is Check1, P7 is Check8.
inline constexpr std::array<const ControlSpec*, kPinCount> kPinBoxes{
    &Check1, &Check2, &Check3, &Check4, &Check5, &Check6, &Check7, &Check8};

// The box that shows a text field, or Command3 for its caption.
const ControlSpec& ControlShowing(TextField field);

// Text boxes, buttons, pin boxes and the picture box take the focus; the
// frame and the labels never do.
constexpr bool TakesFocus(ControlKind kind) {
  return kind != ControlKind::Frame && kind != ControlKind::Label;
}

// The controls that take the focus, by tab index: Tab walks this order from
// the picture box, Shift+Tab walks it back.
std::vector<const ControlSpec*> FocusOrder();

}  // namespace plinthar::form
