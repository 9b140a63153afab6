#pragma once

#include <optional>
#include <string>
#include <utility>

#include "plinthar/converter_state.h"
#include "plinthar/form/field_refresh.h"
#include "plinthar/form/form_table.h"
#include "plinthar/platform.h"

namespace plinthar::form {

// The form's events, written once for every front-end. It owns the window's
// converter state, shows its fields once per operation, stores what the user
// types into the field of that box, and routes a click on a control of the
// table to the control's handler, which runs exactly one operation of the
// core. A front-end creates the controls, shows the fields and hands each of
// its native clicks and edits here with the control of the table; it names
// no handler itself.
class ConverterForm {
 public:
  // The platform shows the core's warnings.
  explicit ConverterForm(Platform& platform) : state_(platform) {}
  ConverterForm(const ConverterForm&) = delete;
  ConverterForm& operator=(const ConverterForm&) = delete;
  ConverterForm(ConverterForm&&) = delete;
  ConverterForm& operator=(ConverterForm&&) = delete;
  ~ConverterForm() = default;

  // Starts showing the fields in the window's controls, every one at once:
  // the window calls it once its controls exist, before the first event.
  void Show(FieldDisplay& display) { refresh_.emplace(state_, display); }

  [[nodiscard]] const ConverterState& State() const { return state_; }

  // Runs the click handler of the control. The labels, the frame, the text
  // boxes and the picture box have none: a click on them runs nothing, and
  // neither does one on a control that is not in the table. Says whether a
  // handler ran.
  bool Click(const ControlSpec& control);

  // The user's edit of a text box: its text is stored into the field that
  // the box shows, and nothing is converted. Nothing for any other control.
  void TextTyped(const ControlSpec& box, std::string text);

 private:
  using Handler = void (ConverterForm::*)();
  static Handler ClickHandler(const ControlSpec& control);

  // Runs one operation of the core and shows the fields it changed.
  template <typename Operation>
  void Run(Operation&& operation) {
    if (refresh_) {
      refresh_->Run(std::forward<Operation>(operation));
    } else {
      std::forward<Operation>(operation)();  // nothing is shown yet
    }
  }

  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Check1_Click();
  void Check2_Click();
  void Check3_Click();
  void Check4_Click();
  void Check5_Click();
  void Check6_Click();
  void Check7_Click();
  void Check8_Click();

  ConverterState state_;
  std::optional<FieldRefresh> refresh_;
};

}  // namespace plinthar::form
