#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "case_name.h"
#include "converter_recording.h"
#include "plinthar/conversion_commands.h"

namespace plinthar {
namespace {

using testing::Fixture;
using testing::SetPins;
using testing::Warning;

struct Snapshot {
  std::string decimal;
  std::string hex;
  std::string binary;
  std::string caption;
  std::string pins;  // P7 … P0
  bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const ConverterState& state) {
  return {state.DecimalText(), state.HexText(), state.BinaryText(), state.ToggleCaption(),
          testing::PinPattern(state)};
}

void PrintTo(const Snapshot& s, std::ostream* os) {
  *os << "{decimal=" << s.decimal << " hex=" << s.hex << " binary=" << s.binary
      << " pins=" << s.pins << "}";
}

enum class Command { Hex, Decimal };

struct CommandCase {
  const char* name;
  Command command;
  std::string pinsBefore;
  std::string decimalIn;
  std::string hexIn;
  Snapshot expected;
};

class ConversionCommandTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(ConversionCommandTest, EndsWithTheseFieldsAndPins) {
  const CommandCase& c = GetParam();
  Fixture f;
  SetPins(f.state, c.pinsBefore);
  f.state.SetBinaryText("typed by the user");
  f.state.SetDecimalText(c.decimalIn);
  f.state.SetHexText(c.hexIn);
  if (c.command == Command::Hex) {
    ConvertHex(f.state);
  } else {
    ConvertDecimal(f.state);
  }
  EXPECT_TRUE(f.platform.warnings.empty());
  EXPECT_EQ(Take(f.state), c.expected);
}

const std::string kNone = "00000000";

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, ConversionCommandTest,
    ::testing::Values(
        CommandCase{
            "Hex3F", Command::Hex, kNone, "", "3F", {"63", "0x3F", "111111", "全选", "00111111"}},
        CommandCase{"HexLowerCase",
                    Command::Hex,
                    kNone,
                    "",
                    "3f",
                    {"63", "0x3F", "111111", "全选", "00111111"}},
        CommandCase{"HexOverwritesTypedDecimal",
                    Command::Hex,
                    kNone,
                    "999",
                    "A",
                    {"10", "0xA", "1010", "全选", "00001010"}},
        CommandCase{"HexBlanksAreZeroNotEmpty",
                    Command::Hex,
                    kNone,
                    "",
                    "  ",
                    {"0", "0x0", "", "全选", kNone}},
        CommandCase{"HexZeroWithPinsSetEndsWithDigitZero",
                    Command::Hex,
                    "00000110",
                    "",
                    "00",
                    {"0", "0x0", "0", "全选", kNone}},
        CommandCase{"HexBeyondRangeKeepsExactValueWhenNoPinChanges",
                    Command::Hex,
                    "11111111",
                    "",
                    "FFFFFFFF",
                    {"4294967295", "0xFFFFFFFF", std::string(32, '1'), "全选", "11111111"}},
        CommandCase{"HexBeyondRangeWithCascadeShowsThePins",
                    Command::Hex,
                    "10011001",
                    "",
                    "FFFFFFFF",
                    {"255", "0xFF", "11111111", "全选", "11111111"}},
        CommandCase{"HexNineDigitsWithCascade",
                    Command::Hex,
                    kNone,
                    "",
                    "100000000",
                    {"128", "0x80", "10000000", "全选", "10000000"}},
        CommandCase{"Decimal200",
                    Command::Decimal,
                    kNone,
                    "200",
                    "",
                    {"200", "0xC8", "11001000", "全选", "11001000"}},
        CommandCase{"DecimalKeepsUsersTextWhenNoPinChanges",
                    Command::Decimal,
                    "11001000",
                    "0200",
                    "",
                    {"0200", "0xC8", "11001000", "全选", "11001000"}},
        CommandCase{"DecimalOverwritesTypedHex",
                    Command::Decimal,
                    "11001000",
                    "200",
                    "zz",
                    {"200", "0xC8", "11001000", "全选", "11001000"}},
        CommandCase{"DecimalZeroOnClearPins",
                    Command::Decimal,
                    kNone,
                    "0",
                    "zz",
                    {"0", "0x0", "", "全选", kNone}},
        CommandCase{"DecimalZeroWithPinsSet",
                    Command::Decimal,
                    "00000001",
                    "0",
                    "",
                    {"0", "0x0", "0", "全选", kNone}},
        CommandCase{"Decimal256OnClearPins",
                    Command::Decimal,
                    kNone,
                    "256",
                    "",
                    {"128", "0x80", "10000000", "全选", "10000000"}},
        CommandCase{"Decimal256WithP7Set",
                    Command::Decimal,
                    "10000000",
                    "256",
                    "",
                    {"256", "0x100", "100000000", "全选", "10000000"}},
        CommandCase{"DecimalWithBlanksAndSign",
                    Command::Decimal,
                    "00000101",
                    " +5\t",
                    "",
                    {" +5\t", "0x5", "101", "全选", "00000101"}},
        CommandCase{"DecimalLargest",
                    Command::Decimal,
                    "11111111",
                    "2147483647",
                    "",
                    {"2147483647", "0x7FFFFFFF", std::string(31, '1'), "全选", "11111111"}}),
    testing::CaseName<CommandCase>);

struct RefusalCase {
  const char* name;
  Command command;
  std::string decimalIn;
  std::string hexIn;
  std::string message;
};

class RefusedInputTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusedInputTest, WarnsOnceAndChangesNothing) {
  const RefusalCase& c = GetParam();
  Fixture f;
  SetPins(f.state, "10100101");
  f.state.SetToggleCaption("清空");
  f.state.SetBinaryText("user's own binary");
  f.state.SetDecimalText(c.decimalIn);
  f.state.SetHexText(c.hexIn);
  const Snapshot before = Take(f.state);
  f.listener.writes.clear();

  if (c.command == Command::Hex) {
    ConvertHex(f.state);
  } else {
    ConvertDecimal(f.state);
  }

  EXPECT_EQ(f.platform.warnings, (std::vector<Warning>{{c.message, "Quorvane"}}));
  EXPECT_EQ(Take(f.state), before);
  EXPECT_TRUE(f.listener.writes.empty());
}

const std::string kBadDecimal = "请输入 0 到 2147483647 之间的十进制整数！";

INSTANTIATE_TEST_SUITE_P(
    Inputs, RefusedInputTest,
    ::testing::Values(
        RefusalCase{"EmptyHex", Command::Hex, "12", "", "请输入十六进制数！"},
        RefusalCase{"EmptyDecimal", Command::Decimal, "", "0x1", "请输入十进制数！"},
        RefusalCase{"DecimalBlanksOnly", Command::Decimal, "  ", "", kBadDecimal},
        RefusalCase{"DecimalNegative", Command::Decimal, "-5", "", kBadDecimal},
        RefusalCase{"DecimalAboveRange", Command::Decimal, "2147483648", "", kBadDecimal},
        RefusalCase{"DecimalFraction", Command::Decimal, "1.5", "", kBadDecimal},
        RefusalCase{"DecimalExponent", Command::Decimal, "1e3", "", kBadDecimal},
        RefusalCase{"DecimalGrouping", Command::Decimal, "1,000", "", kBadDecimal},
        RefusalCase{"DecimalLetters", Command::Decimal, "abc", "", kBadDecimal},
        RefusalCase{"DecimalHuge", Command::Decimal, std::string(100'000, '9'), "", kBadDecimal}),
    testing::CaseName<RefusalCase>);

TEST(ConversionCommandTest, ConvertingTheOwnHexDisplayAgainChangesNothing) {
  Fixture f;
  f.state.SetHexText("c8");
  ConvertHex(f.state);
  const Snapshot first = Take(f.state);
  f.listener.writes.clear();
  ConvertHex(f.state);
  EXPECT_EQ(Take(f.state), first);
  // The pins already hold the pattern, so only the conversion's three writes happen.
  EXPECT_EQ(f.listener.writes.size(), 3U + kPinCount);
}

TEST(ConversionCommandTest, HexCascadePassesThroughThePartialPinValues) {
  Fixture f;
  f.state.SetHexText("C8");
  f.listener.writes.clear();
  ConvertHex(f.state);
  EXPECT_EQ(f.listener.TextTriples(),
            (std::vector<std::vector<std::string>>{{"11001000", "0xC8", "200"},
                                                   {"10000000", "0x80", "128"},
                                                   {"11000000", "0xC0", "192"},
                                                   {"11001000", "0xC8", "200"}}));
}

}  // namespace
}  // namespace plinthar
