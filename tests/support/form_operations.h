#pragma once

#include <array>

// What a user does with the form and what the form must show for it, as data
// for the window tests of both front-ends and the soak: each plays these rows
// with its own toolkit's keys and clicks. Texts are UTF-8.
namespace plinthar::testing {

// The words the form shows, written out rather than taken from the core.
inline constexpr const char* kSelectAllCaption = "全选";
inline constexpr const char* kClearCaption = "清空";
inline constexpr const char* kWarningTitle = "Quorvane";
inline constexpr const char* kEmptyHexMessage = "请输入十六进制数！";
inline constexpr const char* kEmptyDecimalMessage = "请输入十进制数！";
inline constexpr const char* kBadDecimalMessage = "请输入 0 到 2147483647 之间的十进制整数！";

// The focus goes from the picture box, where the window opens with it, to
// these controls in turn, one Tab each, and back to the picture box.
inline constexpr std::array<const char*, 15> kTabCycle{
    "Check8", "Check7",   "Check6",   "Check5", "Check4",   "Check3", "Check2",  "Check1",
    "Text1",  "Command2", "Command3", "Text2",  "Command1", "Text3",  "Picture1"};

// The texts of Text1, Text2 and Text3, in this order.
struct BoxTexts {
  const char* binary;
  const char* hex;
  const char* decimal;
};

// A text typed into a box, then a button pressed: however many times the pin
// cascade rewrote a field, its box shows the final text once.
struct ConversionRow {
  const char* name;
  const char* box;
  const char* input;
  const char* button;
  BoxTexts texts;
  int pins;  // P0 in bit 0
};

inline constexpr std::array<ConversionRow, 5> kConversions{{
    {"Hex3F", "Text2", "3F", "Command1", {"111111", "0x3F", "63"}, 0x3F},
    {"Hex0x1f", "Text2", "0x1f", "Command1", {"11111", "0x1F", "31"}, 0x1F},
    {"Hex0", "Text2", "0", "Command1", {"", "0x0", "0"}, 0},
    {"Decimal200", "Text3", "200", "Command2", {"11001000", "0xC8", "200"}, 0xC8},
    {"Decimal256ShowsItsFirstEightDigits",
     "Text3",
     "256",
     "Command2",
     {"10000000", "0x80", "128"},
     0x80},
}};

// P5 clicked fills all three boxes; the user then erases the box the button
// reads and types 1 after the binary text, which is never taken as input.
// The button warns, and nothing changes.
struct EmptyInputRow {
  const char* name;
  const char* button;
  const char* erased;
  BoxTexts before;
  const char* message;
};

inline constexpr std::array<EmptyInputRow, 2> kEmptyInputs{{
    {"Hexadecimal", "Command1", "Text2", {"1000001", "", "32"}, kEmptyHexMessage},
    {"Decimal", "Command2", "Text3", {"1000001", "0x20", ""}, kEmptyDecimalMessage},
}};

// Command3 pressed twice from the start.
inline constexpr BoxTexts kAllSelected{"11111111", "0xFF", "255"};
inline constexpr BoxTexts kCleared{"", "", ""};

}  // namespace plinthar::testing
