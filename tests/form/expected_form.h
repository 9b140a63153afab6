#pragma once

#include <array>

#include "plinthar/form/form_table.h"

// The form as it was drawn, restated in pixels at 96 dpi for the window tests
// of both front-ends: each checks its own controls against this one table.
// Written out rather than computed from the form's table, so that a wrong
// number there shows up here.
namespace plinthar::testing {

struct ExpectedControl {
  const char* name;
  form::ControlKind kind;
  const char* container;  // the window 二进制计算 or Frame1
  int left;
  int top;
  int width;
  int height;
  const char* caption;
  double pointSize;
  // The em height of that size: 9 pt is 12 px, 12 pt 16 px, 15.75 pt 21 px.
  int fontPixels;
  // Of the text boxes' and labels' text; Left for controls without one.
  form::TextAlignment alignment;
  bool tabStop;
};

inline constexpr const char* kWindowName = "二进制计算";

using form::ControlKind;
using form::TextAlignment;

// In the order the window creates them.
// clang-format off
inline constexpr std::array<ExpectedControl, 27> kExpectedControls{{
    {"Text3",    ControlKind::TextBox,    kWindowName, 216, 8,   41,  25,  "",               12,    16, TextAlignment::Centre, true},
    {"Command1", ControlKind::Button,     kWindowName, 168, 216, 97,  33,  "十六进制转二制", 9,     12, TextAlignment::Left,   true},
    {"Text2",    ControlKind::TextBox,    kWindowName, 216, 56,  41,  25,  "",               12,    16, TextAlignment::Centre, true},
    {"Command3", ControlKind::Button,     kWindowName, 8,   216, 49,  33,  "全选",           9,     12, TextAlignment::Left,   true},
    {"Command2", ControlKind::Button,     kWindowName, 64,  216, 97,  33,  "十进制转二进制", 9,     12, TextAlignment::Left,   true},
    {"Text1",    ControlKind::TextBox,    kWindowName, 144, 104, 113, 25,  "",               15.75, 21, TextAlignment::Right,  true},
    {"Frame1",   ControlKind::Frame,      kWindowName, 8,   128, 257, 81,  "",               9,     12, TextAlignment::Left,   false},
    {"Check1",   ControlKind::CheckBox,   "Frame1",    232, 32,  17,  25,  "",               9,     12, TextAlignment::Left,   true},
    {"Check2",   ControlKind::CheckBox,   "Frame1",    200, 32,  17,  25,  "",               9,     12, TextAlignment::Left,   true},
    {"Check3",   ControlKind::CheckBox,   "Frame1",    168, 32,  17,  25,  "",               9,     12, TextAlignment::Left,   true},
    {"Check4",   ControlKind::CheckBox,   "Frame1",    136, 32,  17,  25,  "",               9,     12, TextAlignment::Left,   true},
    {"Check5",   ControlKind::CheckBox,   "Frame1",    104, 32,  17,  25,  "",               9,     12, TextAlignment::Left,   true},
    {"Check6",   ControlKind::CheckBox,   "Frame1",    72,  32,  17,  25,  "",               9,     12, TextAlignment::Left,   true},
    {"Check7",   ControlKind::CheckBox,   "Frame1",    40,  32,  17,  25,  "",               9,     12, TextAlignment::Left,   true},
    {"Check8",   ControlKind::CheckBox,   "Frame1",    8,   32,  17,  25,  "",               9,     12, TextAlignment::Left,   true},
    {"Label9",   ControlKind::Label,      "Frame1",    8,   56,  241, 17,  "P7  P6  P5  P4  P3  P2  P1  P0", 12, 16, TextAlignment::Left, false},
    {"Label8",   ControlKind::Label,      "Frame1",    10,  16,  17,  17,  "DP",             9,     12, TextAlignment::Left,   false},
    {"Label7",   ControlKind::Label,      "Frame1",    44,  16,  9,   17,  "G",              9,     12, TextAlignment::Left,   false},
    {"Label6",   ControlKind::Label,      "Frame1",    76,  16,  9,   17,  "F",              9,     12, TextAlignment::Left,   false},
    {"Label5",   ControlKind::Label,      "Frame1",    108, 16,  9,   17,  "E",              9,     12, TextAlignment::Left,   false},
    {"Label4",   ControlKind::Label,      "Frame1",    140, 16,  9,   17,  "D",              9,     12, TextAlignment::Left,   false},
    {"Label3",   ControlKind::Label,      "Frame1",    172, 16,  9,   17,  "C",              9,     12, TextAlignment::Left,   false},
    {"Label2",   ControlKind::Label,      "Frame1",    204, 16,  9,   17,  "B",              9,     12, TextAlignment::Left,   false},
    {"Label1",   ControlKind::Label,      "Frame1",    237, 16,  9,   17,  "A",              9,     12, TextAlignment::Left,   false},
    {"Picture1", ControlKind::PictureBox, kWindowName, 24,  8,   105, 121, "",               9,     12, TextAlignment::Left,   true},
    {"Label11",  ControlKind::Label,      kWindowName, 144, 12,  65,  17,  "十制制数",       12,    16, TextAlignment::Left,   false},
    {"Label10",  ControlKind::Label,      kWindowName, 144, 60,  65,  17,  "十六进制",       12,    16, TextAlignment::Left,   false},
}};
// clang-format on

// The client area of the window, 4110 × 3795 twips, and its top-left corner
// on the screen.
inline constexpr int kExpectedClientWidth = 274;
inline constexpr int kExpectedClientHeight = 253;
inline constexpr int kExpectedClientLeft = 408;
inline constexpr int kExpectedClientTop = 293;

}  // namespace plinthar::testing
