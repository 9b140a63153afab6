#include "plinthar/form/form_table.h"

#include <algorithm>
#include <string>

namespace plinthar::form {

std::string_view WindowCaption() {
  static const std::string caption = std::string(kApplicationTitle) + ' ' + kCredit;
  return caption;
}

const ControlSpec& ControlShowing(TextField field) {
  switch (field) {
    case TextField::DecimalText:
      return Text3;
    case TextField::HexText:
      return Text2;
    case TextField::BinaryText:
      return Text1;
    case TextField::ToggleCaption:
      break;
  }
  return Command3;
}

std::vector<const ControlSpec*> FocusOrder() {
  std::vector<const ControlSpec*> order;
  std::ranges::copy_if(kControls, std::back_inserter(order),
                       [](const ControlSpec* control) { return TakesFocus(control->kind); });
  std::ranges::sort(order, {}, &ControlSpec::tabIndex);
  return order;
}

}  // namespace plinthar::form
