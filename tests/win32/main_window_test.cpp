#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "form_operations.h"
#include "text_conversion.h"
#include "win32_window_test_support.h"

using plinthar::testing::Form;
using plinthar::testing::MessageBoxCatcher;
using plinthar::testing::RectInParent;
using plinthar::testing::TextOf;
using plinthar::win32::Utf8ToWide;
using Texts = std::array<std::wstring, 3>;
namespace operations = plinthar::testing;

namespace {

Texts Wide(const operations::BoxTexts& texts) {
  return {Utf8ToWide(texts.binary), Utf8ToWide(texts.hex), Utf8ToWide(texts.decimal)};
}

TEST(MainWindow, OpensWithFocusOnThePictureAndTabsInFormOrder) {
  const Form form;
  EXPECT_EQ(form.FocusName(), "Picture1");

  const std::vector<std::string> cycle(operations::kTabCycle.begin(), operations::kTabCycle.end());
  std::vector<std::string> forward;
  for (std::size_t i = 0; i < cycle.size(); ++i) {
    form.Press(VK_TAB);
    forward.push_back(form.FocusName());
  }
  EXPECT_EQ(forward, cycle);

  std::vector<std::string> backward;
  for (std::size_t i = 0; i < cycle.size(); ++i) {
    form.Press(VK_TAB, true);
    backward.insert(backward.begin(), form.FocusName());
  }
  std::vector<std::string> shifted{cycle.back()};
  shifted.insert(shifted.end(), cycle.begin(), cycle.end() - 1);
  EXPECT_EQ(backward, shifted);
}

// The window gets the focus back where it left it when it is activated again.
TEST(MainWindow, KeepsTheFocusedControlAcrossActivation) {
  const Form form;
  form.Press(VK_TAB);
  form.Press(VK_TAB);
  ASSERT_EQ(form.FocusName(), "Check7");
  SendMessageW(form.Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
  SetFocus(form.Handle());
  SendMessageW(form.Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(form.FocusName(), "Check7");
}

TEST(MainWindow, TypingConvertsNothing) {
  Form form;
  form.Type("Text2", L"3F");
  form.Type("Text3", L"200");
  form.Type("Text1", L"101");
  EXPECT_EQ(form.Texts(), (Texts{L"101", L"3F", L"200"}));
  EXPECT_EQ(form.ShownPins(), 0);
  // Typed text is stored in its field, never written back into its box.
  EXPECT_EQ(form.State().BinaryText(), "101");
  EXPECT_EQ(form.State().HexText(), "3F");
  EXPECT_EQ(form.State().DecimalText(), "200");
  EXPECT_EQ(form.ShownCount("Text1") + form.ShownCount("Text2") + form.ShownCount("Text3"), 0);
}

// The window must not write a text back while the user types into it: that
// would throw the cursor to the start of the box.
TEST(MainWindow, TypingInTheMiddleKeepsTheCursor) {
  const Form form;
  form.Type("Text2", L"3F");
  form.Press(VK_HOME);
  form.TypeHere(L"ab");
  EXPECT_EQ(TextOf(form.Control("Text2")), L"ab3F");
  EXPECT_EQ(form.State().HexText(), "ab3F");
}

// A character beyond U+FFFF arrives as two WM_CHAR, one per half of its
// surrogate pair; in between, the box holds a lone half, which its field
// keeps as U+FFFD. Writing that back would split the character and throw
// the cursor to the start.
TEST(MainWindow, TypingACharacterBeyondTheBasicPlaneKeepsItWhole) {
  const Form form;
  form.Type("Text2", L"3F");
  form.TypeHere(L"\U0001F37A4");
  EXPECT_EQ(TextOf(form.Control("Text2")), L"3F\U0001F37A4");
  EXPECT_EQ(form.State().HexText(), "3F\U0001F37A4");
  EXPECT_EQ(form.ShownCount("Text2"), 0);
}

struct KeyRow {
  const char* control;
  WPARAM key;
};

void PrintTo(const KeyRow& row, std::ostream* out) {
  *out << row.control << (row.key == VK_RETURN ? " Enter" : " Escape");
}

class EnterAndEscape : public ::testing::TestWithParam<KeyRow> {};

TEST_P(EnterAndEscape, PressNothing) {
  const Form form;
  form.Type("Text2", L"3F");
  form.Type("Text3", L"200");
  const MessageBoxCatcher catcher(form.Handle());
  SetFocus(form.Control(GetParam().control));
  form.Press(GetParam().key);
  EXPECT_TRUE(IsWindowVisible(form.Handle()));
  EXPECT_EQ(form.Texts(), (Texts{L"", L"3F", L"200"}));
  EXPECT_EQ(form.ShownPins(), 0);
  EXPECT_TRUE(catcher.seen.empty());
}

INSTANTIATE_TEST_SUITE_P(Controls, EnterAndEscape,
                         ::testing::Values(KeyRow{"Text1", VK_RETURN}, KeyRow{"Text1", VK_ESCAPE},
                                           KeyRow{"Text2", VK_RETURN}, KeyRow{"Text2", VK_ESCAPE},
                                           KeyRow{"Text3", VK_RETURN}, KeyRow{"Text3", VK_ESCAPE},
                                           KeyRow{"Command1", VK_RETURN},
                                           KeyRow{"Command2", VK_ESCAPE},
                                           KeyRow{"Check1", VK_RETURN}),
                         [](const auto& row) {
                           return std::string(row.param.control) +
                                  (row.param.key == VK_RETURN ? "Enter" : "Escape");
                         });

}  // namespace

namespace plinthar::testing {

void PrintTo(const EmptyInputRow& row, std::ostream* out) {
  *out << row.name;
}

void PrintTo(const ConversionRow& row, std::ostream* out) {
  *out << row.name;
}

}  // namespace plinthar::testing

namespace {

class EmptyInput : public ::testing::TestWithParam<operations::EmptyInputRow> {};

TEST_P(EmptyInput, WarnsAndChangesNothing) {
  const operations::EmptyInputRow& row = GetParam();
  const Form form;
  form.Click(form.Pin(5));
  form.Erase(row.erased);
  form.Type("Text1", L"1");
  const Texts before = Wide(row.before);
  ASSERT_EQ(form.Texts(), before);

  const MessageBoxCatcher catcher(form.Handle());
  form.Click(form.Control(row.button));
  ASSERT_EQ(catcher.seen.size(), 1U);
  const auto& seen = catcher.seen.front();
  EXPECT_EQ(seen.title, Utf8ToWide(operations::kWarningTitle));
  EXPECT_EQ(seen.text, Utf8ToWide(row.message));
  EXPECT_TRUE(seen.warningIcon);
  EXPECT_EQ(seen.buttons, std::vector<int>{IDOK});
  EXPECT_TRUE(seen.ownedByForm);
  EXPECT_TRUE(seen.formDisabled);
  EXPECT_TRUE(IsWindowEnabled(form.Handle()));
  EXPECT_EQ(form.Texts(), before);
  EXPECT_EQ(form.ShownPins(), 1 << 5);
}

INSTANTIATE_TEST_SUITE_P(Commands, EmptyInput, ::testing::ValuesIn(operations::kEmptyInputs),
                         [](const auto& row) { return std::string(row.param.name); });

// A click anywhere in the 17 × 25 box flips that pin alone and runs ReadPins
// once; the boxes sit side by side, so a click that reached a neighbour or
// the pin of another box would show here.
enum class Spot : std::uint8_t { Centre, TopLeft, RightEdge, BottomRight, Bottom };

struct PinRow {
  int pin;
  Spot spot;
  Texts texts;
};

void PrintTo(const PinRow& row, std::ostream* out) {
  *out << "P" << row.pin;
}

POINT PointIn(HWND box, Spot spot) {
  RECT area{};
  GetClientRect(box, &area);
  switch (spot) {
    case Spot::Centre:
      return {area.right / 2, area.bottom / 2};
    case Spot::TopLeft:
      return {0, 0};
    case Spot::RightEdge:
      return {area.right - 1, area.bottom / 2};
    case Spot::BottomRight:
      return {area.right - 1, area.bottom - 1};
    case Spot::Bottom:
      break;
  }
  return {area.right / 2, area.bottom - 1};
}

class PinClick : public ::testing::TestWithParam<PinRow> {};

TEST_P(PinClick, FlipsItsPinAnywhereInTheBox) {
  const PinRow& row = GetParam();
  Form form;
  HWND box = form.Pin(row.pin);
  EXPECT_EQ(RectInParent(box).right - RectInParent(box).left, 17);

  form.ClickAt(box, PointIn(box, row.spot));
  EXPECT_EQ(form.ShownPins(), 1 << row.pin);
  EXPECT_EQ(form.Texts(), row.texts);
  EXPECT_TRUE(form.EachChangedBoxShownOnce({L"", L"", L""}));

  form.ResetShownCounts();
  form.ClickAt(box, PointIn(box, row.spot));
  EXPECT_EQ(form.ShownPins(), 0);
  EXPECT_EQ(form.Texts(), (Texts{L"0", L"0x0", L"0"}));
  EXPECT_TRUE(form.EachChangedBoxShownOnce(row.texts));
}

INSTANTIATE_TEST_SUITE_P(
    Pins, PinClick,
    ::testing::Values(PinRow{0, Spot::Centre, {L"1", L"0x1", L"1"}},
                      PinRow{1, Spot::TopLeft, {L"10", L"0x2", L"2"}},
                      PinRow{2, Spot::RightEdge, {L"100", L"0x4", L"4"}},
                      PinRow{3, Spot::BottomRight, {L"1000", L"0x8", L"8"}},
                      PinRow{4, Spot::Bottom, {L"10000", L"0x10", L"16"}},
                      PinRow{5, Spot::TopLeft, {L"100000", L"0x20", L"32"}},
                      PinRow{6, Spot::RightEdge, {L"1000000", L"0x40", L"64"}},
                      PinRow{7, Spot::BottomRight, {L"10000000", L"0x80", L"128"}}),
    [](const auto& row) { return "Check" + std::to_string(row.param.pin + 1); });

TEST(MainWindow, PinTogglesFromTheKeyboard) {
  Form form;
  form.Press(VK_TAB);
  ASSERT_EQ(form.FocusName(), "Check8");
  form.Press(VK_SPACE);
  EXPECT_EQ(form.ShownPins(), 1 << 7);
  EXPECT_EQ(form.Texts(), (Texts{L"10000000", L"0x80", L"128"}));
  EXPECT_TRUE(form.EachChangedBoxShownOnce({L"", L"", L""}));
  form.Press(VK_SPACE);
  EXPECT_EQ(form.ShownPins(), 0);
}

// A conversion end to end through the buttons.
class Conversion : public ::testing::TestWithParam<operations::ConversionRow> {};

TEST_P(Conversion, ShowsTheResultOnce) {
  const operations::ConversionRow& row = GetParam();
  Form form;
  form.Type(row.box, Utf8ToWide(row.input));
  const Texts before = form.Texts();
  const MessageBoxCatcher catcher(form.Handle());
  form.Click(form.Control(row.button));
  EXPECT_TRUE(catcher.seen.empty());
  EXPECT_EQ(form.Texts(), Wide(row.texts));
  EXPECT_EQ(form.ShownPins(), row.pins);
  EXPECT_TRUE(form.EachChangedBoxShownOnce(before));
}

INSTANTIATE_TEST_SUITE_P(Buttons, Conversion, ::testing::ValuesIn(operations::kConversions),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(MainWindow, SelectAllThenClear) {
  const Form form;
  HWND toggle = form.Control("Command3");
  const RECT geometry = RectInParent(toggle);

  form.Click(toggle);
  EXPECT_EQ(TextOf(toggle), Utf8ToWide(operations::kClearCaption));
  EXPECT_EQ(form.ShownPins(), 0xFF);
  EXPECT_EQ(form.Texts(), Wide(operations::kAllSelected));
  EXPECT_TRUE(form.EachChangedBoxShownOnce({L"", L"", L""}));
  const RECT selected = RectInParent(toggle);
  EXPECT_TRUE(EqualRect(&geometry, &selected));

  form.Click(toggle);
  EXPECT_EQ(TextOf(toggle), Utf8ToWide(operations::kSelectAllCaption));
  EXPECT_EQ(form.ShownPins(), 0);
  EXPECT_EQ(form.Texts(), Wide(operations::kCleared));
  const RECT after = RectInParent(toggle);
  EXPECT_TRUE(EqualRect(&geometry, &after));
}

// The pasted text reaches the core whole: its last digit, past the edit
// control's default limit of 30,000 characters, decides the result. (Each
// box's limit is checked with the form's controls; Wine's edit control takes
// time quadratic in the text's length, so one box is pasted into here.)
TEST(MainWindow, APastedLongTextIsConvertedWhole) {
  const Form form;
  form.Paste("Text2", std::wstring(40'000, L'0') + L'1');
  EXPECT_EQ(GetWindowTextLengthW(form.Control("Text2")), 40'001);
  EXPECT_EQ(form.State().HexText().size(), 40'001U);
  form.Click(form.Control("Command1"));
  EXPECT_EQ(form.Texts(), (Texts{L"1", L"0x1", L"1"}));
  EXPECT_EQ(form.ShownPins(), 1);
}

TEST(MainWindow, ClosingTheWindowEndsTheProgram) {
  const Form form;
  SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
  MSG message{};
  EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
}

}  // namespace
