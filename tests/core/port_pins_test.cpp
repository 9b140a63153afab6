#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "case_name.h"
#include "converter_recording.h"
#include "plinthar/port_pins.h"

namespace plinthar {
namespace {

using testing::Fixture;
using testing::PinPattern;
using testing::SetPins;
using Triples = std::vector<std::vector<std::string>>;

struct ShowPinsCase {
  const char* name;
  std::string before;
  std::string digits;
  std::string after;
  Triples cascade;
};

class ShowPinsTest : public ::testing::TestWithParam<ShowPinsCase> {};

TEST_P(ShowPinsTest, WritesPinsFromP7AndRunsReadPinsForEachChange) {
  const ShowPinsCase& c = GetParam();
  Fixture f;
  SetPins(f.state, c.before);
  f.state.SetBinaryText("caller's binary");
  f.state.SetHexText("caller's hex");
  f.state.SetDecimalText("caller's decimal");
  f.listener.writes.clear();

  ShowPins(f.state, c.digits);

  EXPECT_EQ(PinPattern(f.state), c.after);
  EXPECT_EQ(f.listener.TextTriples(), c.cascade);
  std::vector<std::string> pinOrder;
  for (const testing::Write& w : f.listener.writes) {
    if (w.field[0] == 'P') {
      pinOrder.push_back(w.field);
    }
  }
  EXPECT_EQ(pinOrder, (std::vector<std::string>{"P7", "P6", "P5", "P4", "P3", "P2", "P1", "P0"}));
  if (c.cascade.empty()) {
    EXPECT_EQ(f.state.BinaryText(), "caller's binary");
    EXPECT_EQ(f.state.HexText(), "caller's hex");
    EXPECT_EQ(f.state.DecimalText(), "caller's decimal");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, ShowPinsTest,
    ::testing::Values(
        ShowPinsCase{"PassingTextsOf200",
                     "00000000",
                     "11001000",
                     "11001000",
                     {{"10000000", "0x80", "128"},
                      {"11000000", "0xC0", "192"},
                      {"11001000", "0xC8", "200"}}},
        ShowPinsCase{"OneDigitGoesToP0", "00000000", "1", "00000001", {{"1", "0x1", "1"}}},
        ShowPinsCase{"ShortDigitsArePaddedOnTheLeft",
                     "00000000",
                     "101",
                     "00000101",
                     {{"100", "0x4", "4"}, {"101", "0x5", "5"}}},
        ShowPinsCase{"SixtyThree",
                     "00000000",
                     "111111",
                     "00111111",
                     {{"100000", "0x20", "32"},
                      {"110000", "0x30", "48"},
                      {"111000", "0x38", "56"},
                      {"111100", "0x3C", "60"},
                      {"111110", "0x3E", "62"},
                      {"111111", "0x3F", "63"}}},
        ShowPinsCase{"NineDigitsShowTheirFirstEight",
                     "00000000",
                     "100000000",
                     "10000000",
                     {{"10000000", "0x80", "128"}}},
        ShowPinsCase{"NinthDigitNotShown",
                     "11111110",
                     "111111111",
                     "11111111",
                     {{"11111111", "0xFF", "255"}}},
        ShowPinsCase{"EmptyClearsEveryPin",
                     "10000001",
                     "",
                     "00000000",
                     {{"1", "0x1", "1"}, {"0", "0x0", "0"}}},
        ShowPinsCase{"SamePatternRunsNothing", "11001000", "11001000", "11001000", {}},
        ShowPinsCase{"OtherCharactersCountAsClear",
                     "11111111",
                     "1x1-1a1?",
                     "10101010",
                     {{"10111111", "0xBF", "191"},
                      {"10101111", "0xAF", "175"},
                      {"10101011", "0xAB", "171"},
                      {"10101010", "0xAA", "170"}}}),
    testing::CaseName<ShowPinsCase>);

TEST(ShowPinsTest, DigitsTakenFromTheBinaryBoxSurviveTheCascade) {
  Fixture f;
  f.state.SetBinaryText("11001000");
  ShowPins(f.state, f.state.BinaryText());
  EXPECT_EQ(PinPattern(f.state), "11001000");
}

struct ReadPinsCase {
  const char* name;
  std::string pins;
  std::string binary;
  std::string hex;
  std::string decimal;
};

class ReadPinsTest : public ::testing::TestWithParam<ReadPinsCase> {};

TEST_P(ReadPinsTest, ShowsThePinsInAllThreeBoxes) {
  const ReadPinsCase& c = GetParam();
  Fixture f;
  SetPins(f.state, c.pins);
  f.state.SetBinaryText("");
  ReadPins(f.state);
  EXPECT_EQ(f.state.BinaryText(), c.binary);
  EXPECT_EQ(f.state.HexText(), c.hex);
  EXPECT_EQ(f.state.DecimalText(), c.decimal);
}

INSTANTIATE_TEST_SUITE_P(
    Pins, ReadPinsTest,
    ::testing::Values(ReadPinsCase{"NoneSetIsTheDigitZero", "00000000", "0", "0x0", "0"},
                      ReadPinsCase{"AllSet", "11111111", "11111111", "0xFF", "255"},
                      ReadPinsCase{"OnlyP0", "00000001", "1", "0x1", "1"},
                      ReadPinsCase{"OnlyP7", "10000000", "10000000", "0x80", "128"},
                      ReadPinsCase{"P7P5P0", "10100001", "10100001", "0xA1", "161"}),
    testing::CaseName<ReadPinsCase>);

int ReadPinsRuns(const testing::RecordingListener& listener) {
  int runs = 0;
  for (const testing::Write& w : listener.writes) {
    runs += w.field == "BinaryText" ? 1 : 0;
  }
  return runs;
}

TEST(ToggleAllPinsTest, SelectAllOnClearPinsRunsReadPinsNineTimes) {
  Fixture f;
  ToggleAllPins(f.state);
  EXPECT_EQ(ReadPinsRuns(f.listener), 9);
  EXPECT_EQ(PinPattern(f.state), "11111111");
  EXPECT_EQ(f.state.BinaryText(), "11111111");
  EXPECT_EQ(f.state.HexText(), "0xFF");
  EXPECT_EQ(f.state.DecimalText(), "255");
  EXPECT_EQ(f.state.ToggleCaption(), "清空");
  // The caption switches before the first pin write.
  EXPECT_EQ(f.listener.writes.front().field, "ToggleCaption");
}

TEST(ToggleAllPinsTest, SelectAllOnPinsSetByHandRunsReadPinsOnce) {
  Fixture f;
  for (int pin = 0; pin < kPinCount; ++pin) {
    f.state.ClickPin(pin);
  }
  f.listener.writes.clear();
  ToggleAllPins(f.state);
  EXPECT_EQ(ReadPinsRuns(f.listener), 1);
  EXPECT_EQ(f.state.ToggleCaption(), "清空");
}

TEST(ToggleAllPinsTest, ClearEmptiesTheBoxesAfterTheCascade) {
  Fixture f;
  f.state.ClickPin(7);
  f.state.ClickPin(0);
  f.state.SetToggleCaption("清空");
  f.listener.writes.clear();
  ToggleAllPins(f.state);
  EXPECT_EQ(ReadPinsRuns(f.listener), 3);  // two by the cascade, one final emptying
  EXPECT_EQ(f.listener.TextTriples(),
            (Triples{{"1", "0x1", "1"}, {"0", "0x0", "0"}, {"", "", ""}}));
  EXPECT_EQ(PinPattern(f.state), "00000000");
  EXPECT_EQ(f.state.BinaryText(), "");
  EXPECT_EQ(f.state.HexText(), "");
  EXPECT_EQ(f.state.DecimalText(), "");
  EXPECT_EQ(f.state.ToggleCaption(), "全选");
}

TEST(ToggleAllPinsTest, AnyCaptionOtherThanSelectAllClears) {
  Fixture f;
  f.state.SetToggleCaption("全选 ");
  f.state.ClickPin(4);
  ToggleAllPins(f.state);
  EXPECT_EQ(PinPattern(f.state), "00000000");
  EXPECT_EQ(f.state.ToggleCaption(), "全选");
}

TEST(ToggleAllPinsTest, TwiceFromStartSetsThenClearsEverything) {
  Fixture f;
  ToggleAllPins(f.state);
  ToggleAllPins(f.state);
  EXPECT_EQ(PinPattern(f.state), "00000000");
  EXPECT_EQ(f.state.BinaryText(), "");
  EXPECT_EQ(f.state.ToggleCaption(), "全选");

  // After a clear, ticking P3 shows 8 again.
  f.state.ClickPin(3);
  EXPECT_EQ(f.state.BinaryText(), "1000");
  EXPECT_EQ(f.state.HexText(), "0x8");
  EXPECT_EQ(f.state.DecimalText(), "8");
  EXPECT_EQ(f.state.ToggleCaption(), "全选");
}

}  // namespace
}  // namespace plinthar
