#include "plinthar/form/field_refresh.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "case_name.h"
#include "converter_recording.h"
#include "plinthar/conversion_commands.h"
#include "plinthar/port_pins.h"

namespace plinthar::testing {
namespace {

struct Fixture {
  RecordingPlatform platform;
  ConverterState state{platform};
  RecordingDisplay display;
  form::FieldRefresh refresh{state, display};
};

TEST(FieldRefresh, ShowsEveryFieldOnceWhenItStarts) {
  Fixture f;
  EXPECT_EQ(f.display.shown, (std::vector<std::string>{
                                 "DecimalText=", "HexText=", "BinaryText=", "ToggleCaption=全选",
                                 "P0=0", "P1=0", "P2=0", "P3=0", "P4=0", "P5=0", "P6=0", "P7=0"}));
}

struct OperationCase {
  const char* name;
  std::function<void(ConverterState&)> before;  // untimed set-up, shown at once
  std::function<void(ConverterState&)> operation;
  std::vector<std::string> shown;  // what the operation then shows, in order
};

class FieldRefreshOperation : public ::testing::TestWithParam<OperationCase> {};

// The pin cascade writes the texts up to four times; each changed field is
// shown once, with its final value, after the operation.
TEST_P(FieldRefreshOperation, ShowsEachChangedFieldOnceWithItsFinalValue) {
  Fixture f;
  GetParam().before(f.state);
  f.display.shown.clear();
  f.refresh.Run([&] { GetParam().operation(f.state); });
  EXPECT_EQ(f.display.shown, GetParam().shown);
}

const auto kNothing = [](ConverterState&) {};

INSTANTIATE_TEST_SUITE_P(
    Rows, FieldRefreshOperation,
    ::testing::Values(OperationCase{"decimal_200_sets_three_pins",
                                    [](ConverterState& s) { s.SetDecimalText("200"); },
                                    ConvertDecimal,
                                    {"DecimalText=200", "HexText=0xC8", "BinaryText=11001000",
                                     "P3=1", "P6=1", "P7=1"}},
                      OperationCase{"hex_3F_on_pins_that_show_it_changes_no_pin",
                                    [](ConverterState& s) {
                                      s.SetHexText("3F");
                                      ConvertHex(s);
                                      s.SetHexText("3f");
                                    },
                                    ConvertHex,
                                    {"DecimalText=63", "HexText=0x3F", "BinaryText=111111"}},
                      OperationCase{"select_all_then_its_caption",
                                    kNothing,
                                    ToggleAllPins,
                                    {"DecimalText=255", "HexText=0xFF", "BinaryText=11111111",
                                     "ToggleCaption=清空", "P0=1", "P1=1", "P2=1", "P3=1", "P4=1",
                                     "P5=1", "P6=1", "P7=1"}},
                      // A refused input writes nothing, so nothing is shown.
                      OperationCase{"empty_hex_warns", kNothing, ConvertHex, {}},
                      OperationCase{"minus_one_refused",
                                    [](ConverterState& s) { s.SetDecimalText("-1"); },
                                    ConvertDecimal,
                                    {}},
                      // Select all on pins set one by one: no pin changes, texts do.
                      OperationCase{"select_all_on_pins_already_set",
                                    [](ConverterState& s) {
                                      for (int pin = 0; pin < kPinCount; ++pin) {
                                        s.ClickPin(pin);
                                      }
                                    },
                                    ToggleAllPins,
                                    {"DecimalText=255", "HexText=0xFF", "BinaryText=11111111",
                                     "ToggleCaption=清空"}}),
    CaseName<OperationCase>);

// Typing is stored into its field outside any operation; the box already
// shows it, and the front-end is told at once so that it can compare.
TEST(FieldRefresh, ShowsAWriteOutsideAnOperationAtOnce) {
  Fixture f;
  f.display.shown.clear();
  f.state.SetHexText("3");
  f.state.ClickPin(4);
  EXPECT_EQ(f.display.shown, (std::vector<std::string>{"HexText=3", "P4=1", "BinaryText=10000",
                                                       "HexText=0x10", "DecimalText=16"}));
}

// A pin that an operation sets and the next one clears again is shown both
// times; one that ends where it began is not shown at all.
TEST(FieldRefresh, ShowsAPinOnlyWhenItEndsChanged) {
  Fixture f;
  f.refresh.Run([&] { f.state.ClickPin(2); });
  f.display.shown.clear();
  f.refresh.Run([&] {
    f.state.WritePin(2, false);
    f.state.WritePin(2, true);
  });
  EXPECT_EQ(f.display.shown,
            (std::vector<std::string>{"DecimalText=4", "HexText=0x4", "BinaryText=100"}));
}

// An operation run from inside another one (the event loop of a modal box)
// is shown with the outer one, once.
TEST(FieldRefresh, ShowsANestedOperationWithTheOuterOne) {
  Fixture f;
  f.display.shown.clear();
  f.refresh.Run([&] {
    f.refresh.Run([&] { f.state.ClickPin(0); });
    EXPECT_TRUE(f.display.shown.empty());
    f.state.ClickPin(1);
  });
  EXPECT_EQ(f.display.shown, (std::vector<std::string>{"DecimalText=3", "HexText=0x3",
                                                       "BinaryText=11", "P0=1", "P1=1"}));
}

}  // namespace
}  // namespace plinthar::testing
