#pragma once

#include <string_view>

#include "plinthar/converter_state.h"

namespace plinthar {

// Spreads binary digits over the pins, the first digit to P7, after padding
// them on the left to eight; digits past the eighth are not shown. Pins are
// written P7 first, each change running ReadPins at once.
void ShowPins(ConverterState& state, std::string_view digits);

// Rewrites BinaryText ("0" when no pin is set), HexText and DecimalText from
// the eight pins.
void ReadPins(ConverterState& state);

// The select-all / clear button: "全选" sets every pin, anything else clears
// the pins and empties the three texts.
void ToggleAllPins(ConverterState& state);

// What a click on any pin box runs, whether the user or code changed the pin.
void PinClickHandling(ConverterState& state);

}  // namespace plinthar
