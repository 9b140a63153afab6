#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "plinthar/converter_state.h"
#include "plinthar/form/field_refresh.h"
#include "plinthar/platform.h"

// A converter state's surroundings as the tests and the fuzz harness see
// them: warnings, field writes and shown fields recorded instead of shown,
// and the whole state taken in one value.
namespace plinthar::testing {

struct Warning {
  std::string message;
  std::string title;
  bool operator==(const Warning&) const = default;
};

// Stands in for the window: records warnings instead of showing them.
class RecordingPlatform : public Platform {
 public:
  void ShowWarning(const std::string& message, const std::string& title) override {
    warnings.push_back({message, title});
  }
  std::vector<Warning> warnings;
};

// One field write as the state reported it; pins are recorded as "P<k>=0/1".
struct Write {
  std::string field;
  std::string value;
  bool operator==(const Write&) const = default;
};

class RecordingListener : public FieldListener {
 public:
  void TextWritten(TextField field, const std::string& value) override {
    writes.push_back({std::string(TextFieldName(field)), value});
  }
  void PinWritten(int pin, bool set) override {
    writes.push_back({"P" + std::to_string(pin), set ? "1" : "0"});
  }

  // The (BinaryText, HexText, DecimalText) triples in the order written.
  [[nodiscard]] std::vector<std::vector<std::string>> TextTriples() const {
    std::vector<std::vector<std::string>> triples;
    std::vector<std::string> current;
    for (const Write& w : writes) {
      if (w.field == "BinaryText") {
        current = {w.value};
      } else if ((w.field == "HexText" || w.field == "DecimalText") && !current.empty()) {
        current.push_back(w.value);
        if (current.size() == 3) {
          triples.push_back(std::exchange(current, {}));
        }
      }
    }
    return triples;
  }

  std::vector<Write> writes;
};

// The front-end as the form sees it: a list of what it was asked to show.
class RecordingDisplay : public form::FieldDisplay {
 public:
  void ShowText(TextField field, const std::string& value) override {
    shown.push_back(std::string(TextFieldName(field)) + "=" + value);
  }
  void ShowPin(int pin, bool set) override {
    shown.push_back("P" + std::to_string(pin) + "=" + (set ? "1" : "0"));
  }
  std::vector<std::string> shown;
};

using PinRow = std::array<bool, kPinCount>;  // index k is pin Pk

inline PinRow Pins(const ConverterState& state) {
  PinRow pins{};
  for (int pin = 0; pin < kPinCount; ++pin) {
    pins[static_cast<std::size_t>(pin)] = state.Pin(pin);
  }
  return pins;
}

// The pins P7 … P0 as eight digits, for compact expectations and reports.
inline std::string PinPattern(const PinRow& pins) {
  std::string pattern;
  for (int pin = kPinCount - 1; pin >= 0; --pin) {
    pattern.push_back(pins[static_cast<std::size_t>(pin)] ? '1' : '0');
  }
  return pattern;
}

inline std::string PinPattern(const ConverterState& state) {
  return PinPattern(Pins(state));
}

// Sets the pins from eight digits, P7 first, as code would (with the cascade).
inline void SetPins(ConverterState& state, const std::string& pattern) {
  for (int i = 0; i < kPinCount; ++i) {
    state.WritePin(kPinCount - 1 - i, pattern[static_cast<std::size_t>(i)] == '1');
  }
}

// Everything a user can see of the state.
struct StateSnapshot {
  std::string decimal;
  std::string hex;
  std::string binary;
  std::string caption;
  PinRow pins{};
  bool operator==(const StateSnapshot&) const = default;
};

inline StateSnapshot Snapshot(const ConverterState& state) {
  return {state.DecimalText(), state.HexText(), state.BinaryText(), state.ToggleCaption(),
          Pins(state)};
}

// A state with a recording platform and listener.
class Fixture {
 public:
  Fixture() { state.SetListener(&listener); }
  RecordingPlatform platform;
  RecordingListener listener;
  ConverterState state{platform};
};

}  // namespace plinthar::testing
