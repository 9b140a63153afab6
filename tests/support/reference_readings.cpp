#include "reference_readings.h"

#include <gmpxx.h>
#include <algorithm>
#include <iterator>

namespace plinthar::testing {

namespace {

constexpr std::uint32_t kLargestAccepted = 2147483647U;

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    }
  }
  return text;
}

Displays DisplaysOf(const mpz_class& value, const char* zeroBinary) {
  return {value == 0 ? std::string(zeroBinary) : value.get_str(2), "0x" + Upper(value.get_str(16)),
          value.get_str(10)};
}

}  // namespace

Displays HexTextDisplays(std::string_view hexText) {
  std::string digits;
  digits.reserve(hexText.size());
  std::copy_if(hexText.begin(), hexText.end(), std::back_inserter(digits), IsHexDigit);
  mpz_class value;
  if (!digits.empty()) {
    value.set_str(digits, 16);
  }
  return DisplaysOf(value, "");
}

std::optional<std::uint32_t> AcceptedDecimal(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && blank(text.back())) {
    text.remove_suffix(1);
  }
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
  }
  if (text.empty()) {
    return std::nullopt;
  }
  std::uint64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value > kLargestAccepted) {
      return std::nullopt;
    }
  }
  return static_cast<std::uint32_t>(value);
}

std::string BinaryDigits(std::uint32_t value) {
  return DisplaysOf(mpz_class(value), "").binary;
}

std::string HexDisplayOf(std::uint32_t value) {
  return DisplaysOf(mpz_class(value), "").hex;
}

PinRow PinPatternOf(std::string_view digits) {
  PinRow pins{};
  const std::string_view shown = digits.substr(0, std::min<std::size_t>(digits.size(), kPinCount));
  // Fewer than eight digits are padded on the left, so the last one always
  // lands on P0 and the first on P7 only when there are eight or more.
  for (std::size_t i = 0; i < shown.size(); ++i) {
    pins[shown.size() - 1 - i] = shown[i] == '1';
  }
  return pins;
}

Displays PinDisplays(const PinRow& pins) {
  std::uint32_t value = 0;
  for (std::size_t pin = 0; pin < pins.size(); ++pin) {
    if (pins[pin]) {
      value |= 1U << pin;
    }
  }
  return DisplaysOf(mpz_class(value), "0");
}

}  // namespace plinthar::testing
