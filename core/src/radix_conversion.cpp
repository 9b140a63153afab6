#include "plinthar/radix_conversion.h"

#include <gmpxx.h>
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <utility>

namespace plinthar {

namespace {

// 2147483647 has 31 binary digits; one more significant digit leaves the range.
constexpr std::size_t kMaxInRangeBits = 31;

// The four binary digits of a hexadecimal digit, or nullptr for any other
// character. Only upper-case letters are keys; callers upper-case first.
const char* Nibble(char digit) {
  static constexpr std::array<const char*, 16> kNibbles = {
      "0000", "0001", "0010", "0011", "0100", "0101", "0110", "0111",
      "1000", "1001", "1010", "1011", "1100", "1101", "1110", "1111"};
  if (digit >= '0' && digit <= '9') {
    return kNibbles[static_cast<std::size_t>(digit - '0')];
  }
  if (digit >= 'A' && digit <= 'F') {
    return kNibbles[static_cast<std::size_t>(digit - 'A') + 10U];
  }
  return nullptr;
}

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Only ASCII letters are upper-cased: no other character becomes a key, and
// bytes of multi-byte UTF-8 characters must stay as they are.
void ToUpperAscii(std::string& text) {
  std::transform(text.begin(), text.end(), text.begin(), AsciiUpper);
}

// Removes every leading "0" in one pass; removing them one at a time would
// make a long run of leading zeros quadratic.
void StripLeadingZeros(std::string& digits) {
  digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
}

}  // namespace

std::string HexDisplay(std::int32_t value) {
  auto magnitude = static_cast<std::uint32_t>(value);
  std::string digits;
  do {
    digits.push_back("0123456789ABCDEF"[magnitude % 16U]);
    magnitude /= 16U;
  } while (magnitude != 0U);
  std::reverse(digits.begin(), digits.end());
  return "0x" + digits;
}

std::string HEX_to_BIN(ConverterState& state, std::string hexText) {
  ToUpperAscii(hexText);
  std::string binary;
  binary.reserve(hexText.size() * 4);
  for (const char c : hexText) {
    // UTF-8 lead and continuation bytes are never keys, so multi-byte
    // characters are skipped byte by byte like any other non-digit.
    if (const char* nibble = Nibble(c); nibble != nullptr) {
      binary.append(nibble, 4);
    }
  }
  StripLeadingZeros(binary);
  state.SetBinaryText(binary);
  ShowBinaryValue(state, binary);
  return binary;
}

std::optional<std::int32_t> ShowBinaryValue(ConverterState& state, std::string_view binaryText) {
  // Only a "1" counts; any other character is a 0 digit. Leading zeros never
  // count toward the range, however many there are.
  const std::size_t firstOne = binaryText.find('1');
  const std::string_view significant =
      firstOne == std::string_view::npos ? std::string_view{} : binaryText.substr(firstOne);

  if (significant.size() <= kMaxInRangeBits) {
    std::int32_t value = 0;
    for (const char c : significant) {
      value = static_cast<std::int32_t>((value << 1) | (c == '1' ? 1 : 0));
    }
    state.SetHexText(HexDisplay(value));
    state.SetDecimalText(std::to_string(value));
    return value;
  }

  // Beyond 32-bit range: show the exact value rather than a wrapped or cut one.
  std::string bits(significant);
  std::replace_if(
      bits.begin(), bits.end(), [](char c) { return c != '1'; }, '0');
  const mpz_class value(bits, 2);
  std::string hex = value.get_str(16);
  ToUpperAscii(hex);
  hex.insert(0, "0x");
  std::string decimal = value.get_str(10);
  state.SetHexText(std::move(hex));
  state.SetDecimalText(std::move(decimal));
  return std::nullopt;
}

std::string DecimalToBinary(ConverterState& state, std::int32_t& value) {
  const bool negative = value < 0;
  // The magnitude in unsigned arithmetic, so that -2147483648 has one too.
  std::uint32_t magnitude =
      negative ? 0U - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
  std::string binary;
  while (magnitude != 0U) {
    binary.push_back((magnitude % 2U) != 0U ? '1' : '0');
    magnitude /= 2U;
  }
  if (negative) {
    binary.push_back('-');
  }
  std::reverse(binary.begin(), binary.end());
  value = 0;
  state.SetBinaryText(binary);
  return binary;
}

}  // namespace plinthar
