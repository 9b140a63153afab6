#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "converter_recording.h"
#include "plinthar/converter_state.h"

namespace plinthar {
namespace {

using testing::Fixture;
using testing::Write;

int BinaryWrites(const std::vector<Write>& writes) {
  int count = 0;
  for (const Write& w : writes) {
    count += w.field == "BinaryText" ? 1 : 0;
  }
  return count;
}

TEST(ConverterStateTest, StartsEmptyWithAllPinsClearAndSelectAllCaption) {
  Fixture f;
  EXPECT_EQ(f.state.DecimalText(), "");
  EXPECT_EQ(f.state.HexText(), "");
  EXPECT_EQ(f.state.BinaryText(), "");
  EXPECT_EQ(f.state.ToggleCaption(), "全选");
  for (int pin = 0; pin < kPinCount; ++pin) {
    EXPECT_FALSE(f.state.Pin(pin)) << "P" << pin;
  }
}

TEST(ConverterStateTest, WritingAnyTextRunsNothingElse) {
  Fixture f;
  f.state.SetBinaryText("1010");
  f.state.SetBinaryText("1010");
  f.state.SetHexText("zz");
  f.state.SetDecimalText("x");
  f.state.SetToggleCaption("清空");
  const std::vector<Write> expected = {{"BinaryText", "1010"},
                                       {"BinaryText", "1010"},
                                       {"HexText", "zz"},
                                       {"DecimalText", "x"},
                                       {"ToggleCaption", "清空"}};
  EXPECT_EQ(f.listener.writes, expected);
  EXPECT_TRUE(f.platform.warnings.empty());
}

TEST(ConverterStateTest, WritingAPinItsOwnValueRunsNoClickHandling) {
  Fixture f;
  f.state.WritePin(3, false);
  EXPECT_EQ(BinaryWrites(f.listener.writes), 0);

  f.state.WritePin(3, true);
  f.listener.writes.clear();
  f.state.WritePin(3, true);
  EXPECT_EQ(BinaryWrites(f.listener.writes), 0);
  EXPECT_EQ(f.state.BinaryText(), "1000");
}

TEST(ConverterStateTest, ChangingAPinRunsReadPinsOnceBeforeTheWriteReturns) {
  Fixture f;
  f.state.WritePin(5, true);
  const std::vector<Write> expected = {
      {"P5", "1"}, {"BinaryText", "100000"}, {"HexText", "0x20"}, {"DecimalText", "32"}};
  EXPECT_EQ(f.listener.writes, expected);
  EXPECT_EQ(f.state.DecimalText(), "32");
}

TEST(ConverterStateTest, ClickTogglesThePinAndRunsItsHandlingEachTime) {
  Fixture f;
  f.state.ClickPin(0);
  EXPECT_TRUE(f.state.Pin(0));
  EXPECT_EQ(f.state.BinaryText(), "1");
  f.state.ClickPin(0);
  EXPECT_FALSE(f.state.Pin(0));
  EXPECT_EQ(f.state.BinaryText(), "0");
  EXPECT_EQ(f.state.HexText(), "0x0");
  EXPECT_EQ(f.state.DecimalText(), "0");
  EXPECT_EQ(BinaryWrites(f.listener.writes), 2);
}

TEST(ConverterStateTest, UserBinaryTextStaysUntilAnOperationWritesIt) {
  Fixture f;
  f.state.SetBinaryText("not binary");
  f.state.SetHexText("");
  f.state.WritePin(2, false);
  EXPECT_EQ(f.state.BinaryText(), "not binary");
}

TEST(ConverterStateTest, PinIndexOutsideThePortIsRejected) {
  Fixture f;
  EXPECT_THROW(f.state.WritePin(8, true), std::out_of_range);
  EXPECT_THROW(f.state.ClickPin(-1), std::out_of_range);
  EXPECT_THROW(static_cast<void>(f.state.Pin(8)), std::out_of_range);
}

TEST(ConverterStateTest, WorksWithoutAListener) {
  testing::RecordingPlatform platform;
  ConverterState state(platform);
  state.ClickPin(7);
  EXPECT_EQ(state.HexText(), "0x80");
}

}  // namespace
}  // namespace plinthar
