#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "converter_recording.h"
#include "plinthar/converter_state.h"

// What a soak of a window does and checks, free of any toolkit: which user
// action comes next, the random texts typed and pasted, and what the fields
// must hold after a press of a button or a pin. A window's soak plays the
// actions with its own toolkit's clicks and keys. Texts are UTF-8, random
// texts UTF-32 for the window to encode as its toolkit does.
namespace plinthar::testing::soak {

using Random = std::mt19937;

// The seed of the ctest runs, and their number of events; a longer soak asks
// for more through PLINTHAR_SOAK_EVENTS, another sequence through
// PLINTHAR_SOAK_SEED.
inline constexpr std::uint32_t kDefaultSeed = 20240611;
inline constexpr long long kDefaultEvents = 2000;
inline constexpr int kLongPasteLength = 100000;
// Beyond this many UTF-16 units in a box a paste replaces all of it, as a
// user tired of scrolling would: otherwise a run of long pastes grows one
// text without bound.
inline constexpr std::size_t kLongestKeptText = 250000;

// The boxes that take typing and pastes: Text1, Text2, Text3.
inline constexpr std::array<const char*, 3> kTextBoxes{"Text1", "Text2", "Text3"};

int Pick(Random& random, int low, int high);
bool Chance(Random& random, double probability);

// The whole number from 0 up in the environment variable, fallback when it
// is not set, nothing when it holds anything else.
std::optional<long long> EnvironmentNumber(const char* name, long long fallback);

// --- Random texts -----------------------------------------------------------

enum class Alphabet : std::uint8_t {
  Ascii,
  HexDigits,
  DecimalDigits,
  Blanks,
  Chinese,
  FullWidth,
  Emoji,
  Mixed
};

const char* AlphabetName(Alphabet alphabet);
Alphabet RandomAlphabet(Random& random);
bool IsChinese(char32_t code);

// A pasted text may carry tabs and line breaks, which a key press cannot put
// into a one-line box.
std::u32string RandomText(Random& random, Alphabet alphabet, int length, bool pasted);

// Typed texts are short; one paste in ten is kLongPasteLength characters,
// two in ten between 1,000 and 20,000, the rest short.
int RandomTypedLength(Random& random);
int RandomPasteLength(Random& random);

// Half the time the user clicks into a text box before typing or pasting;
// the other half the keys go wherever the focus is. The index in kTextBoxes
// of the box to click, if any.
std::optional<std::size_t> BoxClickedBeforeKeys(Random& random);

// Whether a paste goes over all of the box's text (Ctrl+A first) rather than
// in at its cursor: half the time, and always once the box holds more than
// kLongestKeptText units.
bool PastesOverAll(Random& random, std::size_t heldUnits);

std::string Utf8(std::u32string_view text);

// The text, or its first characters and its length when it is long.
std::string Abbreviated(std::string_view utf8);

// --- Actions ----------------------------------------------------------------

enum class Action : std::uint8_t {
  Click,
  DoubleClick,
  Type,
  Paste,
  Tab,
  BackTab,
  Enter,
  Escape,
  Space
};

const char* ActionName(Action action);

// Clicks and typing are what users do most; each key still comes up a few
// hundred times in the short run.
Action RandomAction(Random& random);

// --- What the fields must hold ----------------------------------------------

// The fields are taken with Snapshot (converter_recording.h).
using Fields = StateSnapshot;

std::string FieldsText(const Fields& fields);

// The select-all button reads 全选 or 清空 and nothing else; "" when it does.
std::string CheckCaption(const Fields& now);

// The control that a press (a click, or Space on the focused control) went
// to, as far as the checks tell them apart.
enum class Pressed : std::uint8_t { Command1, Command2, Command3, Pin, Inert };

// What one press of that control must have done to the fields, given the
// warnings it showed; "" when it did just that.
std::string CheckPress(Pressed pressed, int pin, const Fields& before, const Fields& now,
                       std::size_t warnings);

// Warnings come only from an empty input box or a refused decimal text, and
// then nothing changes; "" when the messages are all explained.
std::string CheckWarnings(const Fields& before, const Fields& now,
                          const std::vector<std::string>& messages);

// Tab, Shift+Tab, Enter and Escape that press no control move the focus at
// most: they change no field and show no warning. "" when the action did no
// more (or is none of those keys).
std::string CheckFocusKey(Action action, const Fields& before, const Fields& now,
                          std::size_t warnings);

// After an operation that changed a pin, the texts describe the pins, unless
// the select-all button cleared everything; "" when they do.
std::string CheckPinsDescribed(const Fields& now);

// --- The run ----------------------------------------------------------------

// What a run did, for its summary; a window's soak adds its own counts.
struct Tally {
  std::map<std::string, long long> actions;   // by ActionName
  std::map<std::string, long long> warnings;  // by message
  long long longPastes = 0;                   // of kLongPasteLength characters into a box

  // "click 704, double click 79, …"
  [[nodiscard]] std::string ActionsText() const;
  [[nodiscard]] long long WarningTotal() const;
  // ": 11 × message, 5 × message", or nothing when there were none.
  [[nodiscard]] std::string WarningsText() const;
};

// Draws the next action, counts it and has the window's driver play it: the
// driver's Click(bool twice), Type(), Paste() or Key(Action), each returning
// the driver's account of the event.
template <typename Driver>
auto Play(Random& random, Tally& tally, Driver& driver) {
  const Action action = RandomAction(random);
  ++tally.actions[ActionName(action)];
  switch (action) {
    case Action::Click:
    case Action::DoubleClick:
      return driver.Click(action == Action::DoubleClick);
    case Action::Type:
      return driver.Type();
    case Action::Paste:
      return driver.Paste();
    default:
      return driver.Key(action);
  }
}

// The last events before a finding, for its report.
class RecentEvents {
 public:
  void Add(long long number, const std::string& description);

  // The seed that replays the run, the event's number, what is wrong, the
  // fields before the event and the events that led to it.
  [[nodiscard]] std::string Report(long long seed, long long number, const std::string& problem,
                                   const Fields& before) const;

 private:
  std::deque<std::string> events_;
};

}  // namespace plinthar::testing::soak
