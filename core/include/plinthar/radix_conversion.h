#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "plinthar/converter_state.h"

namespace plinthar {

// Expands a hexadecimal text nibble by nibble into BinaryText (leading zeros
// stripped, zero as the empty text), then shows its value in HexText and
// DecimalText through ShowBinaryValue. Characters that are not hexadecimal
// digits are skipped. Returns the binary text it wrote.
std::string HEX_to_BIN(ConverterState& state, std::string hexText);

// Evaluates binary digits (any character but "1" counts as 0) and writes the
// hexadecimal display to HexText, then the decimal display to DecimalText.
// Values beyond 2147483647 are shown exactly, never wrapped; the returned
// value is then empty, since no 32-bit number can carry them.
std::optional<std::int32_t> ShowBinaryValue(ConverterState& state, std::string_view binaryText);

// Writes the binary digits of value to BinaryText (zero as the empty text) and
// consumes the caller's variable, which holds 0 afterwards. A negative value
// is written as "-" and the digits of its magnitude. Returns the text written.
std::string DecimalToBinary(ConverterState& state, std::int32_t& value);

// "0x" and upper-case hexadecimal digits without leading zeros ("0x0" for zero).
std::string HexDisplay(std::int32_t value);

}  // namespace plinthar
