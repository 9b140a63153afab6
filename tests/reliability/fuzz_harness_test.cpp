#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "invariants.h"
#include "operation_script.h"

namespace plinthar::fuzz {
namespace {

std::vector<std::string> Decode(const std::string& bytes) {
  std::vector<std::uint8_t> input(bytes.begin(), bytes.end());
  OperationReader reader(input);
  std::vector<std::string> operations;
  while (const std::optional<Operation> operation = reader.Next()) {
    operations.push_back(Describe(*operation));
  }
  return operations;
}

struct DecodeCase {
  const char* name;
  std::string bytes;
  std::vector<std::string> operations;
};

class DecodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, GivesTheseOperations) {
  EXPECT_EQ(Decode(GetParam().bytes), GetParam().operations);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Scripts, DecodeTest,
    ::testing::Values(DecodeCase{"Empty", "", {}},
                      DecodeCase{"ButtonsAndPins",
                                 "HDT07",
                                 {"ConvertHex", "ConvertDecimal", "ToggleAllPins", "ClickPin(P0)",
                                  "ClickPin(P7)"}},
                      DecodeCase{"OtherBytesSkipped", "8 zH\xFF", {"ConvertHex"}},
                      DecodeCase{"TypedTexts",
                                 "x\x02"
                                 "3Fd\x03"
                                 "200b\x00"s,
                                 {"type HexText := \"3F\"", "type DecimalText := \"200\"",
                                  "type BinaryText := \"\""}},
                      DecodeCase{"TextBytesAreNotOperations", "x\x01H", {"type HexText := \"H\""}},
                      DecodeCase{"TextCutAtTheEnd",
                                 "d\x09"
                                 "12",
                                 {"type DecimalText := \"12\""}},
                      DecodeCase{"NulAndHighBytesInText",
                                 "x\x03\x00\xE5\x85"s,
                                 {"type HexText := \"\\x00\\xE5\\x85\""}},
                      DecodeCase{"TwoByteLength",
                                 "x\x80\x01" + std::string(128, 'a') + "H",
                                 {"type HexText := \"" + std::string(40, 'a') + "\"...\"" +
                                      std::string(40, 'a') + "\" (128 bytes)",
                                  "ConvertHex"}},
                      DecodeCase{"RepeatedPaste",
                                 "*\x03x\x02"
                                 "ab",
                                 {"type HexText := \"ababab\""}},
                      DecodeCase{"RepeatZeroTypesNothing",
                                 "*\x00x\x02"
                                 "ab"s,
                                 {"type HexText := \"\""}},
                      DecodeCase{"AppendedRepeatedPaste",
                                 "+*\x02x\x01"
                                 "0x\x01"
                                 "1",
                                 {"type HexText += \"00\"", "type HexText := \"1\""}},
                      DecodeCase{"RepeatDroppedByAButton",
                                 "*\x03Hx\x01"
                                 "a",
                                 {"ConvertHex", "type HexText := \"a\""}}),
    [](const ::testing::TestParamInfo<DecodeCase>& row) { return row.param.name; });

TEST(DecodeTest, HugeRepeatIsCutToTheLongestText) {
  const std::string bytes =
      "*\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x01x\x03"
      "abc";
  std::vector<std::uint8_t> input(bytes.begin(), bytes.end());
  OperationReader reader(input);
  const std::optional<Operation> operation = reader.Next();
  ASSERT_TRUE(operation.has_value());
  EXPECT_EQ(operation->text.size(), kMaxTextLength);
  EXPECT_EQ(operation->text.substr(0, 6), "abcabc");
  EXPECT_FALSE(reader.Next().has_value());
}

TEST(CheckedConverterTest, AppendingStopsAtTheLongestText) {
  CheckedConverter converter;
  Operation paste;
  paste.kind = OperationKind::TypeText;
  paste.field = TextField::DecimalText;
  paste.text = std::string(kMaxTextLength - 1, '0');
  converter.Apply(paste);
  paste.append = true;
  paste.text = "12";
  converter.Apply(paste);
  EXPECT_EQ(converter.StateForFaults().DecimalText(), std::string(kMaxTextLength - 1, '0') + "1");
}

class SilentPlatform : public Platform {
 public:
  void ShowWarning(const std::string& /*message*/, const std::string& /*title*/) override {}
};

TEST(WriteRecorderTest, CatchesAPinReportThatDisagreesWithThePin) {
  SilentPlatform platform;
  ConverterState state(platform);
  WriteRecorder recorder;
  recorder.Watch(&state);
  recorder.PinWritten(3, false);
  EXPECT_TRUE(recorder.problem.empty());
  EXPECT_FALSE(recorder.pinChanged);
  recorder.PinWritten(3, true);
  EXPECT_FALSE(recorder.problem.empty());
  recorder.problem.clear();
  recorder.PinWritten(8, true);
  EXPECT_FALSE(recorder.problem.empty());
}

TEST(CheckedConverterDeathTest, ABreachAbortsNamingTheOperation) {
  EXPECT_DEATH(
      {
        CheckedConverter converter;
        converter.StateForFaults().SetToggleCaption("x");
        Operation click;
        click.kind = OperationKind::ClickPin;
        click.pin = 2;
        converter.Apply(click);
      },
      "operation 1 \\(ClickPin\\(P2\\)\\): ToggleCaption is \"x\"");
}

}  // namespace
}  // namespace plinthar::fuzz
