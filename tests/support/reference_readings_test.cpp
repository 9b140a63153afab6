#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "reference_readings.h"

// The readings that every other suite trusts, checked against values worked
// out by hand.
namespace plinthar::testing {
namespace {

struct HexCase {
  std::string text;
  Displays expected;
};

TEST(ReferenceReadingTest, HexTextReadAsOneNumber) {
  const std::vector<HexCase> cases = {
      {"3F", {"111111", "0x3F", "63"}},
      {"3f", {"111111", "0x3F", "63"}},
      {"0x1f", {"11111", "0x1F", "31"}},
      {"&HFF", {"11111111", "0xFF", "255"}},
      {"-5", {"101", "0x5", "5"}},
      {"1 0", {"10000", "0x10", "16"}},
      {"xyz", {"", "0x0", "0"}},
      {"0000", {"", "0x0", "0"}},
      {"80000000", {"1" + std::string(31, '0'), "0x80000000", "2147483648"}},
      {"123456789ABCDEF0",
       {"1001000110100010101100111100010011010101111001101111011110000", "0x123456789ABCDEF0",
        "1311768467463790320"}},
  };
  for (const HexCase& c : cases) {
    EXPECT_EQ(HexTextDisplays(c.text), c.expected) << c.text;
  }
}

TEST(ReferenceReadingTest, DecimalTextsAcceptedAndRefused) {
  const std::vector<std::pair<std::string, std::optional<std::uint32_t>>> cases = {
      {"200", 200},
      {"0200", 200},
      {" +12 \t", 12},
      {"0", 0},
      {std::string(100000, '0') + "7", 7},
      {"2147483647", 2147483647U},
      {"2147483648", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"-1", std::nullopt},
      {"+", std::nullopt},
      {"+ 1", std::nullopt},
      {"1 2", std::nullopt},
      {"12.0", std::nullopt},
      {"\xEF\xBC\x91", std::nullopt},  // a full-width 1
      {" ", std::nullopt},
  };
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(AcceptedDecimal(text), value) << text;
  }
}

TEST(ReferenceReadingTest, PinsShowTheFirstEightDigits) {
  const auto row = [](const char* p7ToP0) {
    PinRow pins{};
    for (int i = 0; i < kPinCount; ++i) {
      pins[static_cast<std::size_t>(kPinCount - 1 - i)] = p7ToP0[i] == '1';
    }
    return pins;
  };
  EXPECT_EQ(PinPatternOf(""), row("00000000"));
  EXPECT_EQ(PinPatternOf("1"), row("00000001"));
  EXPECT_EQ(PinPatternOf("101"), row("00000101"));
  EXPECT_EQ(PinPatternOf("11001000"), row("11001000"));
  EXPECT_EQ(PinPatternOf("100000000"), row("10000000"));
  EXPECT_EQ(PinPatternOf("111111111"), row("11111111"));
  EXPECT_EQ(PinDisplays(row("00000000")), (Displays{"0", "0x0", "0"}));
  EXPECT_EQ(PinDisplays(row("10100001")), (Displays{"10100001", "0xA1", "161"}));
}

}  // namespace
}  // namespace plinthar::testing
