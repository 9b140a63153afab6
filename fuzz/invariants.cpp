#include "invariants.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "plinthar/conversion_commands.h"
#include "plinthar/port_pins.h"

namespace plinthar::fuzz {

namespace {

using testing::AcceptedDecimal;
using testing::BinaryDigits;
using testing::HexDisplayOf;
using testing::HexTextDisplays;
using testing::PinDisplays;
using testing::PinPatternOf;

// Written out here rather than taken from the core, so that a wrong constant
// there shows up as a breach.
constexpr const char* kSelectAll = "全选";
constexpr const char* kClear = "清空";
constexpr const char* kTitle = "Quorvane";
constexpr const char* kEmptyHex = "请输入十六进制数！";
constexpr const char* kEmptyDecimal = "请输入十进制数！";

constexpr std::size_t kWorkBudget = std::size_t{1} << 22;

std::string PinsText(const PinRow& pins) {
  return "P7..P0=" + testing::PinPattern(pins);
}

std::string SnapshotText(const StateSnapshot& s) {
  return "DecimalText=" + Abbreviate(s.decimal) + " HexText=" + Abbreviate(s.hex) +
         " BinaryText=" + Abbreviate(s.binary) + " ToggleCaption=" + Abbreviate(s.caption) + " " +
         PinsText(s.pins);
}

std::string DisplaysText(const Displays& d) {
  return "BinaryText=" + Abbreviate(d.binary) + " HexText=" + Abbreviate(d.hex) +
         " DecimalText=" + Abbreviate(d.decimal);
}

}  // namespace

void WriteRecorder::Watch(const ConverterState* state) {
  state_ = state;
  for (int pin = 0; pin < kPinCount; ++pin) {
    reportedPins[static_cast<std::size_t>(pin)] = state->Pin(pin);
  }
}

void WriteRecorder::StartOperation() {
  textWrites.clear();
  pinWrites = 0;
  textWritesBeforePins = 0;
  pinChanged = false;
}

void WriteRecorder::TextWritten(TextField field, const std::string& value) {
  textWrites.push_back({field, value});
}

void WriteRecorder::PinWritten(int pin, bool set) {
  if (pinWrites++ == 0) {
    textWritesBeforePins = textWrites.size();
  }
  if (pin < 0 || pin >= kPinCount) {
    problem = "a pin write reported pin " + std::to_string(pin);
    return;
  }
  if (state_->Pin(pin) != set) {
    problem = "a write of P" + std::to_string(pin) + " was reported as " + (set ? "1" : "0") +
              " but the pin reads " + (set ? "0" : "1");
  }
  bool& reported = reportedPins[static_cast<std::size_t>(pin)];
  pinChanged = pinChanged || reported != set;
  reported = set;
}

CheckedConverter::CheckedConverter() {
  recorder_.Watch(&state_);
  state_.SetListener(&recorder_);
  before_ = Take();
  Expect(before_ == StateSnapshot{"", "", "", kSelectAll, {}}, "a new state is not blank");
}

std::size_t CheckedConverter::TextVolume() const {
  return state_.DecimalText().size() + state_.HexText().size() + state_.BinaryText().size();
}

StateSnapshot CheckedConverter::Take() const {
  return testing::Snapshot(state_);
}

PinRow CheckedConverter::Pins() const {
  return testing::Pins(state_);
}

void CheckedConverter::Breach(const std::string& what) const {
  const std::string report = "converter invariant broken by operation " +
                             std::to_string(operationNumber_) + " (" + operationText_ +
                             "): " + what + "\n  before: " + SnapshotText(before_) +
                             "\n  after:  " + SnapshotText(Take()) + "\n";
  std::fputs(report.c_str(), stderr);
  std::abort();
}

void CheckedConverter::ExpectTexts(const Displays& expected, const char* what) const {
  const bool holds = state_.BinaryText() == expected.binary && state_.HexText() == expected.hex &&
                     state_.DecimalText() == expected.decimal;
  Expect(holds, [&] { return what + (": expected " + DisplaysText(expected)); });
}

void CheckedConverter::ExpectPins(const PinRow& expected, const char* what) const {
  Expect(Pins() == expected, [&] { return what + (": expected " + PinsText(expected)); });
}

void CheckedConverter::ExpectNoWarning() const {
  Expect(platform_.warnings.empty(),
         [&] { return "unexpected warning " + Abbreviate(platform_.warnings.front().message); });
}

void CheckedConverter::ExpectRefused(const char* message) const {
  Expect(platform_.warnings.size() == 1, [&] {
    return "expected exactly one warning, got " + std::to_string(platform_.warnings.size());
  });
  const Warning& warning = platform_.warnings.front();
  Expect(warning.message == message && warning.title == kTitle, [&] {
    return "warning " + Abbreviate(warning.message) + " titled " + Abbreviate(warning.title) +
           ", expected " + Abbreviate(message) + " titled " + Abbreviate(kTitle);
  });
  Expect(recorder_.textWrites.empty() && recorder_.pinWrites == 0,
         "a refused command wrote a field or pin");
  Expect(Take() == before_, "a refused command changed the state");
}

void CheckedConverter::Apply(const Operation& operation) {
  ++operationNumber_;
  operationText_ = Describe(operation);
  before_ = Take();
  platform_.warnings.clear();
  recorder_.StartOperation();
  switch (operation.kind) {
    case OperationKind::TypeText: {
      const std::string typed = TypedText(operation);
      state_.SetText(operation.field, typed);
      CheckTyped(operation.field, typed);
      break;
    }
    case OperationKind::ConvertHex:
      ConvertHex(state_);
      CheckConvertHex();
      break;
    case OperationKind::ConvertDecimal:
      ConvertDecimal(state_);
      CheckConvertDecimal();
      break;
    case OperationKind::ToggleAllPins:
      ToggleAllPins(state_);
      CheckToggleAllPins();
      break;
    case OperationKind::ClickPin:
      state_.ClickPin(operation.pin);
      CheckClickPin(operation.pin);
      break;
  }
  CheckAlways();
  if (operation.kind == OperationKind::TypeText) {
    hexDisplayed_ = hexDisplayed_ && operation.field != TextField::HexText;
  } else {
    hexDisplayed_ =
        hexDisplayed_ || std::any_of(recorder_.textWrites.begin(), recorder_.textWrites.end(),
                                     [](const WriteRecorder::TextWrite& write) {
                                       return write.field == TextField::HexText;
                                     });
  }
}

std::string CheckedConverter::TypedText(const Operation& operation) const {
  if (!operation.append) {
    return operation.text;
  }
  std::string text = state_.Text(operation.field);
  text.append(operation.text, 0, kMaxTextLength - std::min(text.size(), kMaxTextLength));
  return text;
}

void CheckedConverter::CheckTyped(TextField field, const std::string& typed) const {
  StateSnapshot expected = before_;
  switch (field) {
    case TextField::DecimalText:
      expected.decimal = typed;
      break;
    case TextField::HexText:
      expected.hex = typed;
      break;
    case TextField::BinaryText:
      expected.binary = typed;
      break;
    case TextField::ToggleCaption:
      break;
  }
  ExpectNoWarning();
  Expect(recorder_.pinWrites == 0, "typing wrote a pin");
  Expect(Take() == expected, "typing changed more than the typed text");
}

void CheckedConverter::CheckConvertHex() const {
  if (before_.hex.empty()) {
    ExpectRefused(kEmptyHex);
    return;
  }
  ExpectNoWarning();
  const Displays expected = HexTextDisplays(before_.hex);
  // HEX_to_BIN writes its three texts before ShowPins writes the first pin.
  const auto& writes = recorder_.textWrites;
  Expect(recorder_.textWritesBeforePins >= 3 || (recorder_.pinWrites == 0 && writes.size() >= 3),
         "fewer than three texts written before the pins");
  Expect(writes[0].field == TextField::BinaryText && writes[0].value == expected.binary &&
             writes[1].field == TextField::HexText && writes[1].value == expected.hex &&
             writes[2].field == TextField::DecimalText && writes[2].value == expected.decimal,
         [&] {
           return "HEX_to_BIN wrote " + std::string(TextFieldName(writes[0].field)) + "=" +
                  Abbreviate(writes[0].value) + " " + std::string(TextFieldName(writes[1].field)) +
                  "=" + Abbreviate(writes[1].value) + " " +
                  std::string(TextFieldName(writes[2].field)) + "=" + Abbreviate(writes[2].value) +
                  ", expected " + DisplaysText(expected);
         });
  ExpectPins(PinPatternOf(expected.binary), "the pins do not show the conversion");
  if (recorder_.pinChanged) {
    ExpectTexts(PinDisplays(Pins()), "a pin changed but the texts do not describe the pins");
  } else {
    ExpectTexts(expected, "no pin changed but the texts are not the conversion's");
  }
  if (hexDisplayed_) {
    Expect(state_.HexText() == before_.hex && Pins() == before_.pins,
           "converting the displayed hexadecimal text again changed its value or the pins");
  }
  Expect(state_.ToggleCaption() == before_.caption, "a conversion changed ToggleCaption");
}

void CheckedConverter::CheckConvertDecimal() const {
  if (before_.decimal.empty()) {
    ExpectRefused(kEmptyDecimal);
    return;
  }
  const std::optional<std::uint32_t> value = AcceptedDecimal(before_.decimal);
  if (!value) {
    ExpectRefused(kBadDecimalMessage);
    return;
  }
  ExpectNoWarning();
  const std::string binary = BinaryDigits(*value);
  const auto& writes = recorder_.textWrites;
  Expect(!writes.empty() && writes[0].field == TextField::BinaryText && writes[0].value == binary &&
             (recorder_.pinWrites == 0 || recorder_.textWritesBeforePins >= 1),
         [&] {
           return "the decimal conversion did not first write BinaryText=" + Abbreviate(binary);
         });
  ExpectPins(PinPatternOf(binary), "the pins do not show the conversion");
  if (recorder_.pinChanged) {
    ExpectTexts(PinDisplays(Pins()), "a pin changed but the texts do not describe the pins");
  } else {
    ExpectTexts({binary, HexDisplayOf(*value), before_.decimal},
                "no pin changed but the texts are not the conversion's");
  }
  Expect(state_.ToggleCaption() == before_.caption, "a conversion changed ToggleCaption");
}

void CheckedConverter::CheckToggleAllPins() const {
  ExpectNoWarning();
  if (before_.caption == kSelectAll) {
    PinRow all{};
    all.fill(true);
    ExpectPins(all, "select-all left a pin clear");
    ExpectTexts(PinDisplays(all), "select-all texts");
    Expect(state_.ToggleCaption() == kClear, "select-all did not switch the caption");
  } else {
    ExpectPins({}, "clearing left a pin set");
    ExpectTexts({}, "clearing left a text");
    Expect(state_.ToggleCaption() == kSelectAll, "clearing did not switch the caption");
  }
}

void CheckedConverter::CheckClickPin(int pin) const {
  ExpectNoWarning();
  PinRow expected = before_.pins;
  expected[static_cast<std::size_t>(pin)] = !expected[static_cast<std::size_t>(pin)];
  ExpectPins(expected, "the click did not flip exactly its pin");
  ExpectTexts(PinDisplays(expected), "after a click the texts do not describe the pins");
  Expect(state_.ToggleCaption() == before_.caption, "a click changed ToggleCaption");
}

void CheckedConverter::CheckAlways() const {
  Expect(recorder_.problem.empty(), [&] { return recorder_.problem; });
  Expect(state_.ToggleCaption() == kSelectAll || state_.ToggleCaption() == kClear,
         [&] { return "ToggleCaption is " + Abbreviate(state_.ToggleCaption()); });
  Expect(recorder_.reportedPins == Pins(), "a pin changed without a reported write");
}

void RunOperationScript(std::span<const std::uint8_t> input) {
  CheckedConverter converter;
  OperationReader reader(input);
  std::size_t work = 0;
  while (std::optional<Operation> operation = reader.Next()) {
    converter.Apply(*operation);
    work += converter.TextVolume();
    if (work > kWorkBudget) {
      break;
    }
  }
}

}  // namespace plinthar::fuzz
