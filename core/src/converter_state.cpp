#include "plinthar/converter_state.h"

#include <stdexcept>
#include <utility>

#include "plinthar/port_pins.h"

namespace plinthar {

namespace {

std::size_t PinIndex(int pin) {
  if (pin < 0 || pin >= kPinCount) {
    throw std::out_of_range("pin index out of range");
  }
  return static_cast<std::size_t>(pin);
}

}  // namespace

std::string_view TextFieldName(TextField field) {
  switch (field) {
    case TextField::DecimalText:
      return "DecimalText";
    case TextField::HexText:
      return "HexText";
    case TextField::BinaryText:
      return "BinaryText";
    case TextField::ToggleCaption:
      break;
  }
  return "ToggleCaption";
}

ConverterState::ConverterState(Platform& platform) : platform_(&platform) {}

const std::string& ConverterState::Text(TextField field) const {
  switch (field) {
    case TextField::DecimalText:
      return decimalText_;
    case TextField::HexText:
      return hexText_;
    case TextField::BinaryText:
      return binaryText_;
    case TextField::ToggleCaption:
      break;
  }
  return toggleCaption_;
}

std::string& ConverterState::TextRef(TextField field) {
  return const_cast<std::string&>(std::as_const(*this).Text(field));  // NOLINT
}

void ConverterState::SetText(TextField field, std::string text) {
  std::string& target = TextRef(field);
  target = std::move(text);
  if (listener_ != nullptr) {
    listener_->TextWritten(field, target);
  }
}

bool ConverterState::Pin(int pin) const {
  return pins_[PinIndex(pin)];
}

void ConverterState::WritePin(int pin, bool set) {
  bool& flag = pins_[PinIndex(pin)];
  const bool changed = flag != set;
  flag = set;
  if (listener_ != nullptr) {
    listener_->PinWritten(pin, set);
  }
  // A pin changed by code counts as a click on its box: its handling runs
  // here, nested in the write, so that it sees the pins exactly as they stand
  // in the middle of the writer's sequence.
  if (changed) {
    PinClickHandling(*this);
  }
}

void ConverterState::ClickPin(int pin) {
  WritePin(pin, !Pin(pin));
}

void ConverterState::ShowWarning(const std::string& message, const std::string& title) const {
  platform_->ShowWarning(message, title);
}

}  // namespace plinthar
