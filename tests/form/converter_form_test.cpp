#include "plinthar/form/converter_form.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "case_name.h"
#include "converter_recording.h"
#include "reference_readings.h"

namespace plinthar::testing {
namespace {

struct Fixture {
  Fixture() {
    form.Show(display);
    form.TextTyped(form::Text2, "3F");
    form.TextTyped(form::Text3, "200");
    display.shown.clear();
  }
  RecordingPlatform platform;
  RecordingDisplay display;
  form::ConverterForm form{platform};
};

// What each routed control does, from the texts 3F and 200 typed into the
// boxes and all pins clear.
struct ClickCase {
  std::string name;
  const form::ControlSpec* control;
  std::string pins;  // P7 … P0 afterwards
  std::string caption;
};

std::vector<ClickCase> ClickCases() {
  std::vector<ClickCase> cases{{"Command1", &form::Command1, "00111111", "全选"},
                               {"Command2", &form::Command2, "11001000", "全选"},
                               {"Command3", &form::Command3, "11111111", "清空"}};
  for (int pin = 0; pin < kPinCount; ++pin) {
    std::string pins(kPinCount, '0');
    pins[static_cast<std::size_t>(kPinCount - 1 - pin)] = '1';
    cases.push_back({std::string(form::kPinBoxes.at(static_cast<std::size_t>(pin))->name),
                     form::kPinBoxes.at(static_cast<std::size_t>(pin)), pins, "全选"});
  }
  return cases;
}

void PrintTo(const ClickCase& row, std::ostream* out) {
  *out << row.name;
}

class RoutedClick : public ::testing::TestWithParam<ClickCase> {};

// Each handler runs its one operation once: a pin box clicked twice over, or
// routed to its neighbour's pin, leaves another row of pins.
TEST_P(RoutedClick, RunsItsOperationOnceAndShowsTheResult) {
  Fixture f;
  EXPECT_TRUE(f.form.Click(*GetParam().control));
  const ConverterState& state = f.form.State();
  EXPECT_EQ(PinPattern(state), GetParam().pins);
  EXPECT_EQ(state.ToggleCaption(), GetParam().caption);
  const Displays texts = PinDisplays(Pins(state));
  EXPECT_EQ(state.BinaryText(), texts.binary);
  EXPECT_EQ(state.HexText(), texts.hex);
  EXPECT_EQ(state.DecimalText(), texts.decimal);
  EXPECT_TRUE(f.platform.warnings.empty());
  // Shown after the operation, once per changed field.
  ASSERT_FALSE(f.display.shown.empty());
  EXPECT_EQ(f.display.shown.front(), "DecimalText=" + texts.decimal);
}

INSTANTIATE_TEST_SUITE_P(Controls, RoutedClick, ::testing::ValuesIn(ClickCases()),
                         CaseName<ClickCase>);

TEST(ConverterForm, AClickOnAControlWithoutAHandlerRunsNothing) {
  Fixture f;
  int routed = 0;
  for (const form::ControlSpec* control : form::kControls) {
    const StateSnapshot before = Snapshot(f.form.State());
    f.display.shown.clear();
    if (f.form.Click(*control)) {
      ++routed;
      continue;
    }
    EXPECT_EQ(Snapshot(f.form.State()), before) << control->name;
    EXPECT_TRUE(f.display.shown.empty()) << control->name;
  }
  EXPECT_EQ(routed, 11);
}

TEST(ConverterForm, TypingIsStoredInTheFieldOfItsBoxAndConvertsNothing) {
  Fixture f;
  f.form.TextTyped(form::Text1, "101");
  f.form.TextTyped(form::Text2, "ab");
  f.form.TextTyped(form::Command3, "x");
  f.form.TextTyped(form::Label11, "x");
  const StateSnapshot now = Snapshot(f.form.State());
  EXPECT_EQ(now, (StateSnapshot{"200", "ab", "101", "全选", {}}));
  EXPECT_EQ(f.display.shown, (std::vector<std::string>{"BinaryText=101", "HexText=ab"}));
}

TEST(ConverterForm, AnEmptyBoxWarnsThroughThePlatform) {
  Fixture f;
  f.form.TextTyped(form::Text2, "");
  f.display.shown.clear();
  f.form.Click(form::Command1);
  EXPECT_EQ(f.platform.warnings, (std::vector<Warning>{{"请输入十六进制数！", "Quorvane"}}));
  EXPECT_TRUE(f.display.shown.empty());
}

}  // namespace
}  // namespace plinthar::testing
