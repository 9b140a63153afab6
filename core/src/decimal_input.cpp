#include "plinthar/decimal_input.h"

#include <charconv>
#include <limits>

namespace plinthar {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::optional<std::int32_t> ParseDecimalText(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) {
    ++begin;
  }
  while (end > begin && IsBlank(text[end - 1])) {
    --end;
  }
  if (begin < end && text[begin] == '+') {
    ++begin;
  }
  const std::string_view digits = text.substr(begin, end - begin);
  if (digits.empty()) {
    return std::nullopt;
  }
  for (const char c : digits) {
    if (!IsDigit(c)) {
      return std::nullopt;
    }
  }
  // from_chars reports values above the range as out of range, however many
  // digits they have, and skips leading zeros in linear time.
  std::int32_t value = 0;
  const auto [rest, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc{} || rest != digits.data() + digits.size()) {
    return std::nullopt;
  }
  static_assert(std::numeric_limits<std::int32_t>::max() == 2147483647);
  return value;
}

}  // namespace plinthar
