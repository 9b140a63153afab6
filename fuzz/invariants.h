#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "converter_recording.h"
#include "operation_script.h"
#include "plinthar/converter_state.h"
#include "plinthar/platform.h"
#include "reference_readings.h"

namespace plinthar::fuzz {

using testing::Displays;
using testing::PinRow;
using testing::RecordingPlatform;
using testing::StateSnapshot;
using testing::Warning;

// Hears the writes of one operation. Pins are checked as they are written,
// since only then can a report be compared with what the state holds.
class WriteRecorder : public FieldListener {
 public:
  struct TextWrite {
    TextField field;
    std::string value;
  };

  void Watch(const ConverterState* state);
  void StartOperation();

  void TextWritten(TextField field, const std::string& value) override;
  void PinWritten(int pin, bool set) override;

  std::vector<TextWrite> textWrites;
  std::size_t pinWrites = 0;
  // How many texts were written before the first pin write of the operation.
  std::size_t textWritesBeforePins = 0;
  bool pinChanged = false;
  // The pins as the writes reported them, to prove no change went unheard.
  PinRow reportedPins{};
  std::string problem;

 private:
  const ConverterState* state_ = nullptr;
};

// One converter state driven by operations; after each one every invariant
// is checked, and the first breach aborts the process with a report.
class CheckedConverter {
 public:
  CheckedConverter();
  CheckedConverter(const CheckedConverter&) = delete;
  CheckedConverter& operator=(const CheckedConverter&) = delete;
  CheckedConverter(CheckedConverter&&) = delete;
  CheckedConverter& operator=(CheckedConverter&&) = delete;
  ~CheckedConverter() = default;

  void Apply(const Operation& operation);

  // Lets a test break the state behind the checks' back, to see them fire.
  ConverterState& StateForFaults() { return state_; }

  // The length of the three texts, a measure of what the next operation costs.
  [[nodiscard]] std::size_t TextVolume() const;

 private:
  [[nodiscard]] StateSnapshot Take() const;
  [[nodiscard]] PinRow Pins() const;
  [[noreturn]] void Breach(const std::string& what) const;
  // The message, a text or a function making one, is only composed on a
  // breach: the checks run for every operation of millions of inputs.
  template <typename Message>
  void Expect(bool holds, const Message& message) const {
    if (holds) {
      return;
    }
    if constexpr (std::is_invocable_v<Message>) {
      Breach(message());
    } else {
      Breach(message);
    }
  }
  void ExpectTexts(const Displays& expected, const char* what) const;
  void ExpectPins(const PinRow& expected, const char* what) const;
  void ExpectNoWarning() const;
  void ExpectRefused(const char* message) const;

  [[nodiscard]] std::string TypedText(const Operation& operation) const;
  void CheckTyped(TextField field, const std::string& typed) const;
  void CheckConvertHex() const;
  void CheckConvertDecimal() const;
  void CheckToggleAllPins() const;
  void CheckClickPin(int pin) const;
  void CheckAlways() const;

  RecordingPlatform platform_;
  WriteRecorder recorder_;
  ConverterState state_{platform_};
  StateSnapshot before_;
  std::string operationText_;
  std::size_t operationNumber_ = 0;
  // Whether HexText holds a display that the program wrote, not user input.
  bool hexDisplayed_ = false;
};

// Runs a whole fuzz input on a fresh state. The texts' volume is summed over
// the operations and the run stops once it passes a budget, so that a short
// input repeating conversions of a huge text cannot take minutes.
void RunOperationScript(std::span<const std::uint8_t> input);

}  // namespace plinthar::fuzz
