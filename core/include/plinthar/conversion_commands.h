#pragma once

#include "plinthar/converter_state.h"

namespace plinthar {

inline constexpr const char* kWarningTitle = "Quorvane";
inline constexpr const char* kEmptyHexMessage = "请输入十六进制数！";
inline constexpr const char* kEmptyDecimalMessage = "请输入十进制数！";
inline constexpr const char* kBadDecimalMessage = "请输入 0 到 2147483647 之间的十进制整数！";

// Hexadecimal to binary (button 十六进制转二制): converts HexText and shows
// the result on the pins. Warns and changes nothing when HexText is empty.
void ConvertHex(ConverterState& state);

// Decimal to binary (button 十进制转二进制): converts DecimalText and shows the
// result on the pins. Warns and changes nothing when DecimalText is empty or
// not a whole number from 0 to 2147483647.
void ConvertDecimal(ConverterState& state);

}  // namespace plinthar
