#include "soak_script.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <utility>

#include "form_operations.h"
#include "reference_readings.h"

namespace plinthar::testing::soak {

namespace {

constexpr std::array kAlphabets{Alphabet::Ascii,  Alphabet::HexDigits, Alphabet::DecimalDigits,
                                Alphabet::Blanks, Alphabet::Chinese,   Alphabet::FullWidth,
                                Alphabet::Emoji,  Alphabet::Mixed};

char32_t RandomCharacter(Random& random, Alphabet alphabet, bool pasted) {
  static constexpr std::string_view kHex = "0123456789abcdefABCDEF";
  static constexpr std::array<char32_t, 3> kTypedBlanks{U' ', U'\u00A0', U'\u3000'};
  static constexpr std::array<char32_t, 5> kPastedBlanks{U' ', U'\u00A0', U'\u3000', U'\t', U'\n'};
  switch (alphabet) {
    case Alphabet::Ascii:
      return static_cast<char32_t>(Pick(random, 0x20, 0x7E));
    case Alphabet::HexDigits:
      return static_cast<char32_t>(kHex[static_cast<std::size_t>(Pick(random, 0, 21))]);
    case Alphabet::DecimalDigits:
      return static_cast<char32_t>(Pick(random, '0', '9'));
    case Alphabet::Blanks:
      return pasted ? kPastedBlanks.at(static_cast<std::size_t>(Pick(random, 0, 4)))
                    : kTypedBlanks.at(static_cast<std::size_t>(Pick(random, 0, 2)));
    case Alphabet::Chinese:
      return static_cast<char32_t>(Pick(random, 0x4E00, 0x9FFF));
    case Alphabet::FullWidth:
      return static_cast<char32_t>(Pick(random, 0xFF01, 0xFF5E));
    case Alphabet::Emoji:
      return static_cast<char32_t>(Pick(random, 0x1F300, 0x1FAFF));
    case Alphabet::Mixed:
      break;
  }
  return RandomCharacter(random, kAlphabets.at(static_cast<std::size_t>(Pick(random, 0, 6))),
                         pasted);
}

// The same pins after a press on pin k.
PinRow Flipped(PinRow pins, int pin) {
  pins.at(static_cast<std::size_t>(pin)) = !pins.at(static_cast<std::size_t>(pin));
  return pins;
}

// A conversion shows its digits on the pins; when that changed no pin the
// texts are the conversion's own, otherwise the pins' (checked apart).
std::string CheckConversion(const Fields& before, const Fields& now, const Displays& converted,
                            bool decimalKept) {
  if (now.pins != PinPatternOf(converted.binary)) {
    return "the conversion to " + Abbreviated(converted.binary) + " left the pins at " +
           PinPattern(now.pins);
  }
  if (now.pins != before.pins) {
    return {};
  }
  if (now.binary != converted.binary || now.hex != converted.hex ||
      (decimalKept && now.decimal != before.decimal)) {
    return "the conversion to " + Abbreviated(converted.binary) + " shows " + FieldsText(now);
  }
  return {};
}

}  // namespace

int Pick(Random& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}

bool Chance(Random& random, double probability) {
  return std::bernoulli_distribution(probability)(random);
}

std::optional<long long> EnvironmentNumber(const char* name, long long fallback) {
  const char* text = std::getenv(name);
  if (text == nullptr) {
    return fallback;
  }
  const std::string_view view(text);
  long long value = 0;
  const auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), value);
  if (view.empty() || error != std::errc() || end != view.data() + view.size() || value < 0) {
    return std::nullopt;
  }
  return value;
}

const char* AlphabetName(Alphabet alphabet) {
  switch (alphabet) {
    case Alphabet::Ascii:
      return "ascii";
    case Alphabet::HexDigits:
      return "hex digits";
    case Alphabet::DecimalDigits:
      return "decimal digits";
    case Alphabet::Blanks:
      return "blanks";
    case Alphabet::Chinese:
      return "chinese";
    case Alphabet::FullWidth:
      return "full-width";
    case Alphabet::Emoji:
      return "emoji";
    case Alphabet::Mixed:
      break;
  }
  return "mixed";
}

Alphabet RandomAlphabet(Random& random) {
  return kAlphabets.at(static_cast<std::size_t>(Pick(random, 0, 7)));
}

bool IsChinese(char32_t code) {
  return code >= 0x4E00 && code <= 0x9FFF;
}

std::u32string RandomText(Random& random, Alphabet alphabet, int length, bool pasted) {
  std::u32string text;
  text.reserve(static_cast<std::size_t>(length));
  for (int i = 0; i < length; ++i) {
    text.push_back(RandomCharacter(random, alphabet, pasted));
  }
  return text;
}

int RandomTypedLength(Random& random) {
  return Pick(random, 1, 24);
}

int RandomPasteLength(Random& random) {
  const int roll = Pick(random, 1, 10);
  if (roll == 1) {
    return kLongPasteLength;
  }
  return roll <= 3 ? Pick(random, 1000, 20000) : Pick(random, 1, 64);
}

std::optional<std::size_t> BoxClickedBeforeKeys(Random& random) {
  if (Chance(random, 0.5)) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(Pick(random, 0, static_cast<int>(kTextBoxes.size()) - 1));
}

bool PastesOverAll(Random& random, std::size_t heldUnits) {
  return Chance(random, 0.5) || heldUnits > kLongestKeptText;
}

std::string Utf8(std::u32string_view text) {
  std::string utf8;
  utf8.reserve(text.size());
  for (const char32_t code : text) {
    if (code < 0x80) {
      utf8.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      utf8.push_back(static_cast<char>(0xC0U | (code >> 6U)));
      utf8.push_back(static_cast<char>(0x80U | (code & 0x3FU)));
    } else if (code < 0x10000) {
      utf8.push_back(static_cast<char>(0xE0U | (code >> 12U)));
      utf8.push_back(static_cast<char>(0x80U | ((code >> 6U) & 0x3FU)));
      utf8.push_back(static_cast<char>(0x80U | (code & 0x3FU)));
    } else {
      utf8.push_back(static_cast<char>(0xF0U | (code >> 18U)));
      utf8.push_back(static_cast<char>(0x80U | ((code >> 12U) & 0x3FU)));
      utf8.push_back(static_cast<char>(0x80U | ((code >> 6U) & 0x3FU)));
      utf8.push_back(static_cast<char>(0x80U | (code & 0x3FU)));
    }
  }
  return utf8;
}

std::string Abbreviated(std::string_view utf8) {
  constexpr std::size_t kShown = 24;
  if (utf8.size() <= kShown) {
    return '"' + std::string(utf8) + '"';
  }
  // Cut before a continuation byte so the excerpt stays whole characters.
  std::size_t cut = kShown;
  while (cut > 0 && (static_cast<unsigned char>(utf8[cut]) & 0xC0U) == 0x80U) {
    --cut;
  }
  return '"' + std::string(utf8.substr(0, cut)) + "…\" (" + std::to_string(utf8.size()) + " bytes)";
}

const char* ActionName(Action action) {
  switch (action) {
    case Action::Click:
      return "click";
    case Action::DoubleClick:
      return "double click";
    case Action::Type:
      return "type";
    case Action::Paste:
      return "paste";
    case Action::Tab:
      return "tab";
    case Action::BackTab:
      return "shift+tab";
    case Action::Enter:
      return "enter";
    case Action::Escape:
      return "escape";
    case Action::Space:
      break;
  }
  return "space";
}

Action RandomAction(Random& random) {
  static constexpr std::array<std::pair<Action, int>, 9> kWeights{{{Action::Click, 36},
                                                                   {Action::DoubleClick, 4},
                                                                   {Action::Type, 18},
                                                                   {Action::Paste, 8},
                                                                   {Action::Tab, 8},
                                                                   {Action::BackTab, 6},
                                                                   {Action::Enter, 6},
                                                                   {Action::Escape, 4},
                                                                   {Action::Space, 10}}};
  int roll = Pick(random, 1, 100);
  for (const auto& [action, weight] : kWeights) {
    roll -= weight;
    if (roll <= 0) {
      return action;
    }
  }
  return Action::Space;
}

std::string FieldsText(const Fields& fields) {
  return "binary " + Abbreviated(fields.binary) + ", hex " + Abbreviated(fields.hex) +
         ", decimal " + Abbreviated(fields.decimal) + ", caption " + fields.caption +
         ", P7..P0=" + PinPattern(fields.pins);
}

std::string CheckCaption(const Fields& now) {
  if (now.caption != kSelectAllCaption && now.caption != kClearCaption) {
    return "ToggleCaption is " + now.caption;
  }
  return {};
}

std::string CheckPress(Pressed pressed, int pin, const Fields& before, const Fields& now,
                       std::size_t warnings) {
  switch (pressed) {
    case Pressed::Pin:
      return now.pins == Flipped(before.pins, pin)
                 ? std::string()
                 : "a press on P" + std::to_string(pin) + " left the pins at " +
                       PinPattern(now.pins);
    case Pressed::Command3: {
      const bool selected = before.caption == kSelectAllCaption;
      const Fields expected = selected ? Fields{"255",
                                                "0xFF",
                                                "11111111",
                                                kClearCaption,
                                                {true, true, true, true, true, true, true, true}}
                                       : Fields{{}, {}, {}, kSelectAllCaption, {}};
      return now == expected
                 ? std::string()
                 : "select all / clear went from " + FieldsText(before) + " to " + FieldsText(now);
    }
    case Pressed::Command1:
      if (before.hex.empty()) {
        return warnings == 1 ? std::string() : "an empty hexadecimal box did not warn";
      }
      return CheckConversion(before, now, HexTextDisplays(before.hex), false);
    case Pressed::Command2: {
      const std::optional<std::uint32_t> value = AcceptedDecimal(before.decimal);
      if (!value) {
        return warnings == 1 ? std::string() : "a refused decimal box did not warn";
      }
      return CheckConversion(before, now, {BinaryDigits(*value), HexDisplayOf(*value), {}}, true);
    }
    case Pressed::Inert:
      break;
  }
  // The text boxes, the labels, the frame and the picture run nothing.
  if (now != before || warnings != 0) {
    return "pressing a control that runs nothing changed the fields to " + FieldsText(now);
  }
  return {};
}

std::string CheckWarnings(const Fields& before, const Fields& now,
                          const std::vector<std::string>& messages) {
  for (const std::string& message : messages) {
    const bool explained = (message == kEmptyHexMessage && before.hex.empty()) ||
                           (message == kEmptyDecimalMessage && before.decimal.empty()) ||
                           (message == kBadDecimalMessage && !before.decimal.empty() &&
                            !AcceptedDecimal(before.decimal));
    if (!explained) {
      return "a warning " + message + " with the fields " + FieldsText(before);
    }
  }
  if (!messages.empty() && now != before) {
    return "a warning was shown, yet the fields went from " + FieldsText(before) + " to " +
           FieldsText(now);
  }
  return {};
}

std::string CheckFocusKey(Action action, const Fields& before, const Fields& now,
                          std::size_t warnings) {
  const bool focusKey = action == Action::Tab || action == Action::BackTab ||
                        action == Action::Enter || action == Action::Escape;
  if (focusKey && (now != before || warnings != 0)) {
    return std::string(ActionName(action)) + " changed the fields from " + FieldsText(before) +
           " to " + FieldsText(now);
  }
  return {};
}

std::string CheckPinsDescribed(const Fields& now) {
  const bool cleared = now == Fields{{}, {}, {}, kSelectAllCaption, {}};
  const Displays texts = PinDisplays(now.pins);
  if (cleared ||
      (now.binary == texts.binary && now.hex == texts.hex && now.decimal == texts.decimal)) {
    return {};
  }
  return "an operation changed a pin, yet the texts do not describe the pins: " + FieldsText(now);
}

std::string Tally::ActionsText() const {
  std::string text;
  for (const auto& [name, count] : actions) {
    text += (text.empty() ? "" : ", ") + name + " " + std::to_string(count);
  }
  return text;
}

long long Tally::WarningTotal() const {
  long long total = 0;
  for (const auto& [message, count] : warnings) {
    total += count;
  }
  return total;
}

std::string Tally::WarningsText() const {
  std::string text;
  for (const auto& [message, count] : warnings) {
    text += (text.empty() ? ": " : ", ") + std::to_string(count) + " × " + message;
  }
  return text;
}

void RecentEvents::Add(long long number, const std::string& description) {
  // Enough to see how the fields got where the finding is.
  constexpr std::size_t kRemembered = 12;
  events_.push_back("#" + std::to_string(number) + " " + description);
  if (events_.size() > kRemembered) {
    events_.pop_front();
  }
}

std::string RecentEvents::Report(long long seed, long long number, const std::string& problem,
                                 const Fields& before) const {
  std::string report = "seed " + std::to_string(seed) + ", event " + std::to_string(number) + ": " +
                       problem + "\nbefore: " + FieldsText(before) + "\nlast events:";
  for (const std::string& event : events_) {
    report += "\n  " + event;
  }
  return report;
}

}  // namespace plinthar::testing::soak
