#include "plinthar/form/field_refresh.h"

namespace plinthar::form {

FieldRefresh::FieldRefresh(ConverterState& state, FieldDisplay& display)
    : state_(state), display_(display) {
  for (int field = 0; field < static_cast<int>(kTextFieldCount); ++field) {
    display_.ShowText(static_cast<TextField>(field), state_.Text(static_cast<TextField>(field)));
  }
  for (int pin = 0; pin < kPinCount; ++pin) {
    pinShown_.at(static_cast<std::size_t>(pin)) = state_.Pin(pin);
    display_.ShowPin(pin, state_.Pin(pin));
  }
  state_.SetListener(this);
}

FieldRefresh::~FieldRefresh() {
  state_.SetListener(nullptr);
}

void FieldRefresh::TextWritten(TextField field, const std::string& value) {
  if (depth_ == 0) {
    display_.ShowText(field, value);
    return;
  }
  textChanged_.at(static_cast<std::size_t>(field)) = true;
}

void FieldRefresh::PinWritten(int pin, bool /*set*/) {
  if (depth_ == 0) {
    ShowPinIfChanged(pin);
  }
  // During an operation the pins are compared with their boxes at its end.
}

void FieldRefresh::ShowChanges() {
  for (std::size_t field = 0; field < kTextFieldCount; ++field) {
    if (textChanged_.at(field)) {
      textChanged_.at(field) = false;
      const auto textField = static_cast<TextField>(field);
      display_.ShowText(textField, state_.Text(textField));
    }
  }
  for (int pin = 0; pin < kPinCount; ++pin) {
    ShowPinIfChanged(pin);
  }
}

void FieldRefresh::ShowPinIfChanged(int pin) {
  bool& shown = pinShown_.at(static_cast<std::size_t>(pin));
  if (state_.Pin(pin) != shown) {
    shown = state_.Pin(pin);
    display_.ShowPin(pin, shown);
  }
}

}  // namespace plinthar::form
