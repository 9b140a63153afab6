#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "case_name.h"
#include "converter_recording.h"
#include "plinthar/radix_conversion.h"

namespace plinthar {
namespace {

using testing::Fixture;

struct HexCase {
  const char* name;
  std::string input;
  std::string binary;
  std::string hex;
  std::string decimal;
};

class HexToBinTest : public ::testing::TestWithParam<HexCase> {};

TEST_P(HexToBinTest, WritesBinaryThenTheDisplaysAndReturnsTheBinary) {
  const HexCase& c = GetParam();
  Fixture f;
  const std::string returned = HEX_to_BIN(f.state, c.input);
  EXPECT_EQ(returned, c.binary);
  EXPECT_EQ(f.state.BinaryText(), c.binary);
  EXPECT_EQ(f.state.HexText(), c.hex);
  EXPECT_EQ(f.state.DecimalText(), c.decimal);
  ASSERT_EQ(f.listener.writes.size(), 3U);
  EXPECT_EQ(f.listener.writes[0].field, "BinaryText");
  EXPECT_EQ(f.listener.writes[1].field, "HexText");
  EXPECT_EQ(f.listener.writes[2].field, "DecimalText");
  for (int pin = 0; pin < kPinCount; ++pin) {
    EXPECT_FALSE(f.state.Pin(pin));
  }
}

const std::string kThirtyOneOnes(31, '1');

INSTANTIATE_TEST_SUITE_P(
    WorkedExamplesAndEdges, HexToBinTest,
    ::testing::Values(
        HexCase{"UpperCase", "3F", "111111", "0x3F", "63"},
        HexCase{"LowerCase", "3f", "111111", "0x3F", "63"},
        HexCase{"OwnDisplayConvertsToItself", "0x3F", "111111", "0x3F", "63"},
        HexCase{"LowerCasePrefix", "0x1f", "11111", "0x1F", "31"},
        HexCase{"LeadingZeros", "00FF", "11111111", "0xFF", "255"},
        HexCase{"BasicPrefixSkipped", "&HFF", "11111111", "0xFF", "255"},
        HexCase{"Zero", "0", "", "0x0", "0"}, HexCase{"Zeros", "0000", "", "0x0", "0"},
        HexCase{"NoHexDigit", "xyz", "", "0x0", "0"}, HexCase{"Blanks", "   ", "", "0x0", "0"},
        HexCase{"SignSkipped", "-5", "101", "0x5", "5"},
        HexCase{"BlankBetweenDigits", "1 0", "10000", "0x10", "16"},
        HexCase{"LargestInRange", "7FFFFFFF", kThirtyOneOnes, "0x7FFFFFFF", "2147483647"},
        HexCase{"LeadingZerosNeverCountTowardRange", "000000001", "1", "0x1", "1"},
        HexCase{"NonAsciiSkipped", "３F中文", "1111", "0xF", "15"},
        HexCase{"FirstBeyondRange", "80000000", "1" + std::string(31, '0'), "0x80000000",
                "2147483648"},
        HexCase{"AllOnes32", "FFFFFFFF", std::string(32, '1'), "0xFFFFFFFF", "4294967295"},
        HexCase{"SixtyFourBits", "123456789abcdef0",
                "1001000110100010101100111100010011010101111001101111011110000",
                "0x123456789ABCDEF0", "1311768467463790320"},
        HexCase{"BeyondRangeWithLeadingZeros", "000100000000", "1" + std::string(32, '0'),
                "0x100000000", "4294967296"}),
    testing::CaseName<HexCase>);

TEST(HexToBinTest, MillionLeadingZerosStripToTheValue) {
  Fixture f;
  HEX_to_BIN(f.state, std::string(1'000'000, '0') + "A");
  EXPECT_EQ(f.state.BinaryText(), "1010");
  EXPECT_EQ(f.state.DecimalText(), "10");
}

TEST(HexToBinTest, LongValueIsExactNotWrapped) {
  Fixture f;
  // 2^(4*40) - 1: forty F digits.
  HEX_to_BIN(f.state, std::string(40, 'F'));
  EXPECT_EQ(f.state.BinaryText(), std::string(160, '1'));
  EXPECT_EQ(f.state.HexText(), "0x" + std::string(40, 'F'));
  EXPECT_EQ(f.state.DecimalText(), "1461501637330902918203684832716283019655932542975");
}

struct ValueCase {
  const char* name;
  std::string binary;
  std::optional<std::int32_t> value;
  std::string hex;
  std::string decimal;
};

class ShowBinaryValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ShowBinaryValueTest, ShowsTheValueWithoutTouchingTheBinaryBox) {
  const ValueCase& c = GetParam();
  Fixture f;
  f.state.SetBinaryText("kept");
  EXPECT_EQ(ShowBinaryValue(f.state, c.binary), c.value);
  EXPECT_EQ(f.state.HexText(), c.hex);
  EXPECT_EQ(f.state.DecimalText(), c.decimal);
  EXPECT_EQ(f.state.BinaryText(), "kept");
}

INSTANTIATE_TEST_SUITE_P(
    Values, ShowBinaryValueTest,
    ::testing::Values(
        ValueCase{"Empty", "", 0, "0x0", "0"}, ValueCase{"Zero", "0", 0, "0x0", "0"},
        ValueCase{"One", "1", 1, "0x1", "1"},
        ValueCase{"PortValue", "11001000", 200, "0xC8", "200"},
        ValueCase{"ThirtyOneDigits", std::string(31, '1'), 2147483647, "0x7FFFFFFF", "2147483647"},
        ValueCase{"ThirtyTwoDigitsAreBeyondRange", "1" + std::string(31, '0'), std::nullopt,
                  "0x80000000", "2147483648"},
        ValueCase{"ManyLeadingZerosStayInRange", std::string(100, '0') + "101", 5, "0x5", "5"},
        ValueCase{"OtherCharactersCountAsZero", "1x2", 4, "0x4", "4"}),
    testing::CaseName<ValueCase>);

struct DecimalCase {
  const char* name;
  std::int32_t value;
  std::string binary;
};

class DecimalToBinaryTest : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalToBinaryTest, WritesOnlyTheBinaryAndConsumesTheVariable) {
  const DecimalCase& c = GetParam();
  Fixture f;
  f.state.SetHexText("hex kept");
  f.state.SetDecimalText("decimal kept");
  std::int32_t value = c.value;
  EXPECT_EQ(DecimalToBinary(f.state, value), c.binary);
  EXPECT_EQ(value, 0);
  EXPECT_EQ(f.state.BinaryText(), c.binary);
  EXPECT_EQ(f.state.HexText(), "hex kept");
  EXPECT_EQ(f.state.DecimalText(), "decimal kept");
}

INSTANTIATE_TEST_SUITE_P(Values, DecimalToBinaryTest,
                         ::testing::Values(DecimalCase{"One", 1, "1"}, DecimalCase{"Six", 6, "110"},
                                           DecimalCase{"PortValue", 200, "11001000"},
                                           DecimalCase{"NineDigits", 256, "100000000"},
                                           DecimalCase{"Largest", 2147483647, std::string(31, '1')},
                                           DecimalCase{"ZeroIsEmpty", 0, ""},
                                           DecimalCase{"NegativeShowsSignAndMagnitude", -6, "-110"},
                                           DecimalCase{"SmallestInt",
                                                       std::numeric_limits<std::int32_t>::min(),
                                                       "-1" + std::string(31, '0')}),
                         testing::CaseName<DecimalCase>);

TEST(HexDisplayTest, UpperCaseWithoutLeadingZeros) {
  EXPECT_EQ(HexDisplay(0), "0x0");
  EXPECT_EQ(HexDisplay(10), "0xA");
  EXPECT_EQ(HexDisplay(200), "0xC8");
  EXPECT_EQ(HexDisplay(2147483647), "0x7FFFFFFF");
}

}  // namespace
}  // namespace plinthar
