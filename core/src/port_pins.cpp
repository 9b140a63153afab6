#include "plinthar/port_pins.h"

#include <array>
#include <string>

#include "plinthar/radix_conversion.h"

namespace plinthar {

namespace {

constexpr int kMostSignificantPin = kPinCount - 1;

}  // namespace

void ShowPins(ConverterState& state, std::string_view digits) {
  // The pattern is taken in full before the first pin write: the cascade that
  // a write runs rewrites BinaryText, which callers may have passed in here.
  std::array<bool, kPinCount> pattern{};
  const std::size_t shown = std::min(digits.size(), static_cast<std::size_t>(kPinCount));
  // Digits shorter than eight are padded with zeros on the left, so they end
  // at P0; longer ones show their first eight, most significant, digits.
  const std::size_t padding = static_cast<std::size_t>(kPinCount) - shown;
  for (std::size_t i = 0; i < shown; ++i) {
    pattern[padding + i] = digits[i] == '1';
  }
  // pattern[0] is the leftmost digit, which belongs to P7.
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    state.WritePin(kMostSignificantPin - static_cast<int>(i), pattern[i]);
  }
}

void ReadPins(ConverterState& state) {
  // The pins P7 … P0 read as binary digits without leading zeros. Unlike the
  // conversions, which leave zero as an empty box, a pin row with nothing set
  // is shown as "0": the port value is then really zero, not missing.
  std::string binary;
  for (int pin = kMostSignificantPin; pin >= 0; --pin) {
    if (state.Pin(pin)) {
      binary.push_back('1');
    } else if (!binary.empty()) {
      binary.push_back('0');
    }
  }
  if (binary.empty()) {
    binary.push_back('0');
  }
  state.SetBinaryText(binary);
  ShowBinaryValue(state, state.BinaryText());
}

void ToggleAllPins(ConverterState& state) {
  // The caption is the toggle's whole memory, and it is switched before the
  // first pin write so that the cascade already sees the new state.
  const bool selectAll = state.ToggleCaption() == kSelectAllCaption;
  state.SetToggleCaption(selectAll ? kClearCaption : kSelectAllCaption);
  for (int pin = kMostSignificantPin; pin >= 0; --pin) {
    state.WritePin(pin, selectAll);
  }
  if (selectAll) {
    ReadPins(state);
    return;
  }
  // A cleared port shows empty boxes, not the "0" that the cascade left.
  state.SetBinaryText({});
  state.SetHexText({});
  state.SetDecimalText({});
}

void PinClickHandling(ConverterState& state) {
  ReadPins(state);
}

}  // namespace plinthar
