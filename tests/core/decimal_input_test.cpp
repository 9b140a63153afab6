#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "case_name.h"
#include "converter_recording.h"
#include "plinthar/decimal_input.h"

namespace plinthar {
namespace {

struct ParseCase {
  const char* name;
  std::string text;
  std::optional<std::int32_t> value;
};

class ParseDecimalTextTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseDecimalTextTest, AcceptsOnlyPlainWholeNumbersInRange) {
  EXPECT_EQ(ParseDecimalText(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseDecimalTextTest,
    ::testing::Values(
        ParseCase{"Plain", "200", 200}, ParseCase{"LeadingZeros", "0200", 200},
        ParseCase{"Zero", "0", 0}, ParseCase{"Largest", "2147483647", 2147483647},
        ParseCase{"BlanksAndTabsAround", " \t 42\t ", 42}, ParseCase{"PlusSign", "+7", 7},
        ParseCase{"PlusAfterBlanks", "  +7  ", 7},
        ParseCase{"ManyLeadingZeros", std::string(1'000'000, '0') + "5", 5},
        ParseCase{"AboveRange", "2147483648", std::nullopt},
        ParseCase{"FarAboveRange", std::string(1'000'000, '9'), std::nullopt},
        ParseCase{"Negative", "-1", std::nullopt}, ParseCase{"NegativeZero", "-0", std::nullopt},
        ParseCase{"OnlyBlanks", "   ", std::nullopt}, ParseCase{"OnlySign", "+", std::nullopt},
        ParseCase{"DoubleSign", "++1", std::nullopt},
        ParseCase{"BlankAfterSign", "+ 1", std::nullopt}, ParseCase{"Letters", "12a", std::nullopt},
        ParseCase{"HexPrefix", "0x10", std::nullopt}, ParseCase{"Fraction", "1.5", std::nullopt},
        ParseCase{"Exponent", "1e3", std::nullopt}, ParseCase{"Grouping", "1,000", std::nullopt},
        ParseCase{"InnerBlank", "1 0", std::nullopt},
        ParseCase{"FullWidthDigits", "１２", std::nullopt},
        ParseCase{"NewlineIsNotABlank", "12\n", std::nullopt}),
    testing::CaseName<ParseCase>);

}  // namespace
}  // namespace plinthar
