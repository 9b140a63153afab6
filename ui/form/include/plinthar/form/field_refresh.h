#pragma once

#include <array>
#include <concepts>
#include <string>
#include <utility>

#include "plinthar/converter_state.h"

namespace plinthar::form {

// What a front-end does to show one field in its control.
class FieldDisplay {
 public:
  FieldDisplay() = default;
  FieldDisplay(const FieldDisplay&) = delete;
  FieldDisplay& operator=(const FieldDisplay&) = delete;
  FieldDisplay(FieldDisplay&&) = delete;
  FieldDisplay& operator=(FieldDisplay&&) = delete;
  virtual ~FieldDisplay() = default;

  // Shows a text field in its box (Text1 … Text3) or as Command3's caption.
  // A box that already shows the text should be left alone, so that the
  // cursor of a user typing into it stays where it is.
  virtual void ShowText(TextField field, const std::string& value) = 0;
  // Shows a pin in its box; showing must not run the pin's click handling,
  // which the core has already run.
  virtual void ShowPin(int pin, bool set) = 0;
};

// Shows the fields of a state once per operation. The core reports every
// write, including the passing texts of the pin cascade; nothing is painted
// while an operation runs, so showing those would only cost time (a
// million-digit text laid out to be replaced microseconds later). While an
// operation runs this only notes what changed; when it has ended, each
// changed field is shown once with its final value. A write made outside any
// operation, such as the user's typing stored into its field, is shown at once.
class FieldRefresh final : public FieldListener {
 public:
  // Becomes the state's listener and shows every field.
  FieldRefresh(ConverterState& state, FieldDisplay& display);
  FieldRefresh(const FieldRefresh&) = delete;
  FieldRefresh& operator=(const FieldRefresh&) = delete;
  FieldRefresh(FieldRefresh&&) = delete;
  FieldRefresh& operator=(FieldRefresh&&) = delete;
  ~FieldRefresh() override;

  // Runs one operation of the core, then shows what it changed. An operation
  // started inside another one (from the event loop of a modal warning box)
  // is shown with the outer one.
  template <std::invocable Operation>
  void Run(Operation&& operation) {
    const OperationScope scope(*this);
    std::forward<Operation>(operation)();
  }

  void TextWritten(TextField field, const std::string& value) override;
  void PinWritten(int pin, bool set) override;

 private:
  class OperationScope {
   public:
    explicit OperationScope(FieldRefresh& refresh) : refresh_(refresh) { ++refresh_.depth_; }
    OperationScope(const OperationScope&) = delete;
    OperationScope& operator=(const OperationScope&) = delete;
    OperationScope(OperationScope&&) = delete;
    OperationScope& operator=(OperationScope&&) = delete;
    ~OperationScope() {
      if (--refresh_.depth_ == 0) {
        refresh_.ShowChanges();
      }
    }

   private:
    FieldRefresh& refresh_;
  };

  void ShowChanges();
  void ShowPinIfChanged(int pin);

  static constexpr std::size_t kTextFieldCount = 4;

  ConverterState& state_;
  FieldDisplay& display_;
  int depth_ = 0;
  std::array<bool, kTextFieldCount> textChanged_{};
  // What each pin box shows, so that a pin that ends where it began costs
  // nothing.
  std::array<bool, kPinCount> pinShown_{};
};

}  // namespace plinthar::form
