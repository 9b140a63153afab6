#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "converter_recording.h"

// What the converter must show, computed without any of its code: GMP does
// the arithmetic, and the input rules are restated from scratch. The core
// tests, the fuzz harness and the window soak all check against these.
namespace plinthar::testing {

// The three texts as a conversion or the pins should show them.
struct Displays {
  std::string binary;
  std::string hex;
  std::string decimal;
  bool operator==(const Displays&) const = default;
};

// What HEX_to_BIN writes for a hexadecimal text: its hexadecimal digits read
// as one number of any size, binary without leading zeros (empty for zero).
Displays HexTextDisplays(std::string_view hexText);

// The value of a decimal box that the decimal button accepts: spaces and
// tabs around, an optional "+", ASCII digits, 0 … 2147483647.
std::optional<std::uint32_t> AcceptedDecimal(std::string_view text);

// The binary digits of a value without leading zeros, empty for zero.
std::string BinaryDigits(std::uint32_t value);

// "0x" and the upper-case hexadecimal digits of a value.
std::string HexDisplayOf(std::uint32_t value);

// The pins that binary digits light: the first eight digits, padded with
// zeros on the left when there are fewer, the first one on P7.
PinRow PinPatternOf(std::string_view digits);

// The texts that describe a pin row ("0" in binary when no pin is set).
Displays PinDisplays(const PinRow& pins);

}  // namespace plinthar::testing
