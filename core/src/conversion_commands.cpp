#include "plinthar/conversion_commands.h"

#include <string>

#include "plinthar/decimal_input.h"
#include "plinthar/port_pins.h"
#include "plinthar/radix_conversion.h"

namespace plinthar {

void ConvertHex(ConverterState& state) {
  // Only the empty text is refused: a text of blanks converts to zero.
  if (state.HexText().empty()) {
    state.ShowWarning(kEmptyHexMessage, kWarningTitle);
    return;
  }
  HEX_to_BIN(state, state.HexText());
  ShowPins(state, state.BinaryText());
}

void ConvertDecimal(ConverterState& state) {
  if (state.DecimalText().empty()) {
    state.ShowWarning(kEmptyDecimalMessage, kWarningTitle);
    return;
  }
  // Refused before anything is written, so a bad text leaves every field
  // and pin as it was.
  std::optional<std::int32_t> decimalValue = ParseDecimalText(state.DecimalText());
  if (!decimalValue) {
    state.ShowWarning(kBadDecimalMessage, kWarningTitle);
    return;
  }
  DecimalToBinary(state, *decimalValue);
  ShowPins(state, state.BinaryText());
  // DecimalText is read again: if the cascade ran, it now holds the pins'
  // value, otherwise the user's own text, which parsed above.
  if (const std::optional<std::int32_t> shown = ParseDecimalText(state.DecimalText())) {
    state.SetHexText(HexDisplay(*shown));
  }
}

}  // namespace plinthar
