#include "plinthar/form/converter_form.h"

#include <array>

#include "plinthar/conversion_commands.h"
#include "plinthar/port_pins.h"

namespace plinthar::form {

ConverterForm::Handler ConverterForm::ClickHandler(const ControlSpec& control) {
  struct Route {
    const ControlSpec* control;
    Handler handler;
  };
  static constexpr std::array<Route, 11> kRoutes{{
      {&Command1, &ConverterForm::Command1_Click},
      {&Command2, &ConverterForm::Command2_Click},
      {&Command3, &ConverterForm::Command3_Click},
      {&Check1, &ConverterForm::Check1_Click},
      {&Check2, &ConverterForm::Check2_Click},
      {&Check3, &ConverterForm::Check3_Click},
      {&Check4, &ConverterForm::Check4_Click},
      {&Check5, &ConverterForm::Check5_Click},
      {&Check6, &ConverterForm::Check6_Click},
      {&Check7, &ConverterForm::Check7_Click},
      {&Check8, &ConverterForm::Check8_Click},
  }};
  for (const Route& route : kRoutes) {
    if (route.control == &control) {
      return route.handler;
    }
  }
  return nullptr;
}

bool ConverterForm::Click(const ControlSpec& control) {
  const Handler handler = ClickHandler(control);
  if (handler == nullptr) {
    return false;
  }
  (this->*handler)();
  return true;
}

void ConverterForm::TextTyped(const ControlSpec& box, std::string text) {
  if (box.kind != ControlKind::TextBox) {
    return;
  }
  for (const TextField field :
       {TextField::DecimalText, TextField::HexText, TextField::BinaryText}) {
    if (&ControlShowing(field) == &box) {
      // A write outside any operation: the box already shows it.
      state_.SetText(field, std::move(text));
      return;
    }
  }
}

void ConverterForm::Command1_Click() {
  Run([this] { ConvertHex(state_); });
}

void ConverterForm::Command2_Click() {
  Run([this] { ConvertDecimal(state_); });
}

void ConverterForm::Command3_Click() {
  Run([this] { ToggleAllPins(state_); });
}

void ConverterForm::Check1_Click() {
  Run([this] { state_.ClickPin(0); });
}

void ConverterForm::Check2_Click() {
  Run([this] { state_.ClickPin(1); });
}

void ConverterForm::Check3_Click() {
  Run([this] { state_.ClickPin(2); });
}

void ConverterForm::Check4_Click() {
  Run([this] { state_.ClickPin(3); });
}

void ConverterForm::Check5_Click() {
  Run([this] { state_.ClickPin(4); });
}

void ConverterForm::Check6_Click() {
  Run([this] { state_.ClickPin(5); });
}

void ConverterForm::Check7_Click() {
  Run([this] { state_.ClickPin(6); });
}

void ConverterForm::Check8_Click() {
  Run([this] { state_.ClickPin(7); });
}

}  // namespace plinthar::form
