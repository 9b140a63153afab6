#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "plinthar/platform.h"

namespace plinthar {

enum class TextField : std::uint8_t { DecimalText, HexText, BinaryText, ToggleCaption };

// The field's name as the code spells it ("HexText"), for messages and logs.
std::string_view TextFieldName(TextField field);

inline constexpr int kPinCount = 8;

// Hears every write to a field of the state, in the order the writes happen,
// including the passing texts of the pin cascade. The window uses it to show
// the fields; it is the only way to watch the core at work.
class FieldListener {
 public:
  FieldListener() = default;
  FieldListener(const FieldListener&) = delete;
  FieldListener& operator=(const FieldListener&) = delete;
  FieldListener(FieldListener&&) = delete;
  FieldListener& operator=(FieldListener&&) = delete;
  virtual ~FieldListener() = default;

  virtual void TextWritten(TextField field, const std::string& value) = 0;
  // Reported for every pin write, also one that leaves the pin as it was.
  virtual void PinWritten(int pin, bool set) = 0;
};

inline constexpr const char* kSelectAllCaption = "全选";
inline constexpr const char* kClearCaption = "清空";

// The record behind the window: the three number boxes, the eight port pins
// P0 … P7 and the caption of the select-all button. Values live only as text
// and pin flags; nothing numeric is kept between operations.
//
// Pins can only change through WritePin and ClickPin, so the pin cascade holds
// for every caller: a write that changes a pin runs the pin's click handling
// (ReadPins) before it returns, and a write of the same value runs nothing.
class ConverterState {
 public:
  explicit ConverterState(Platform& platform);
  // One record per window: a copy would share the window's platform and
  // listener while drifting apart from what the window shows.
  ConverterState(const ConverterState&) = delete;
  ConverterState& operator=(const ConverterState&) = delete;
  ConverterState(ConverterState&&) = delete;
  ConverterState& operator=(ConverterState&&) = delete;
  ~ConverterState() = default;

  [[nodiscard]] const std::string& DecimalText() const { return decimalText_; }
  [[nodiscard]] const std::string& HexText() const { return hexText_; }
  [[nodiscard]] const std::string& BinaryText() const { return binaryText_; }
  [[nodiscard]] const std::string& ToggleCaption() const { return toggleCaption_; }
  [[nodiscard]] const std::string& Text(TextField field) const;

  // Writing a text never triggers anything, whoever writes it.
  void SetDecimalText(std::string text) { SetText(TextField::DecimalText, std::move(text)); }
  void SetHexText(std::string text) { SetText(TextField::HexText, std::move(text)); }
  void SetBinaryText(std::string text) { SetText(TextField::BinaryText, std::move(text)); }
  void SetToggleCaption(std::string text) { SetText(TextField::ToggleCaption, std::move(text)); }
  void SetText(TextField field, std::string text);

  // Pin k is bit k of the port value: P0 weighs 1, P7 weighs 128.
  [[nodiscard]] bool Pin(int pin) const;
  // Code writing a pin (ShowPins, ToggleAllPins).
  void WritePin(int pin, bool set);
  // The user's click on a pin box: flips the pin, which runs its click
  // handling exactly once.
  void ClickPin(int pin);

  void ShowWarning(const std::string& message, const std::string& title) const;

  // At most one listener; nullptr removes it.
  void SetListener(FieldListener* listener) { listener_ = listener; }

 private:
  std::string& TextRef(TextField field);

  Platform* platform_;
  FieldListener* listener_ = nullptr;
  std::string decimalText_;
  std::string hexText_;
  std::string binaryText_;
  std::string toggleCaption_ = kSelectAllCaption;
  std::array<bool, kPinCount> pins_{};
};

}  // namespace plinthar
