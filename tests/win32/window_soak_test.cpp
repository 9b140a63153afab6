#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "form_operations.h"
#include "plinthar/conversion_commands.h"
#include "plinthar/form/form_table.h"
#include "plinthar/form/screen_units.h"
#include "plinthar/port_pins.h"
#include "soak_script.h"
#include "text_conversion.h"
#include "win32_window_test_support.h"

// A long run of random user events against the Win32 window, driven in-process
// through the program's own message handling: clicks on the controls, typing
// and pasting texts of every kind, Tab, Shift+Tab, Enter, Escape and Space,
// warnings answered. A core of its own beside the window is given the same
// operations; after each event the window must show what that core holds,
// and a press of a button or a pin must have done what the reference
// readings say.

namespace {

namespace soak = plinthar::testing::soak;
using plinthar::testing::Form;
using plinthar::testing::MessageBoxCatcher;
using plinthar::testing::SeenMessageBox;
using plinthar::win32::WideToUtf8;
using soak::Action;
using soak::Fields;
using soak::Pressed;

using soak::kTextBoxes;

std::wstring Utf16(std::u32string_view text) {
  std::wstring wide;
  wide.reserve(text.size());
  for (const char32_t code : text) {
    if (code >= 0x10000) {
      const char32_t offset = code - 0x10000;
      wide.push_back(static_cast<wchar_t>(0xD800 + (offset >> 10U)));
      wide.push_back(static_cast<wchar_t>(0xDC00 + (offset & 0x3FFU)));
    } else {
      wide.push_back(static_cast<wchar_t>(code));
    }
  }
  return wide;
}

// A one-line edit box keeps the first line of a pasted text.
std::wstring FirstLine(const std::wstring& text) {
  std::wstring line = text.substr(0, text.find(L'\n'));
  if (!line.empty() && line.back() == L'\r') {
    line.pop_back();
  }
  return line;
}

// The text a box holds after text was put in at its cursor, replacing any
// selection, as typing and pasting do.
std::wstring Inserted(HWND box, const std::wstring& text) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const std::wstring before = plinthar::testing::TextOf(box);
  return before.substr(0, start) + text + before.substr(std::min<std::size_t>(end, before.size()));
}

// The core beside the window: the same operations, warnings recorded.
class Oracle : public plinthar::Platform {
 public:
  void ShowWarning(const std::string& message, const std::string& /*title*/) override {
    warnings.push_back(message);
  }

  std::vector<std::string> warnings;
  plinthar::ConverterState state{*this};
};

struct Event {
  explicit Event(Action taken = Action::Click) : action(taken) {}

  Action action;
  std::string description;
  // The control that the presses went to, and how many there were.
  Pressed pressed = Pressed::Inert;
  int pin = -1;
  int presses = 0;
  // For keys into a text box: the box, and the text it must hold afterwards.
  int box = -1;
  std::optional<std::wstring> expectedBoxText;
};

struct Tally : soak::Tally {
  long long presses = 0;
  std::size_t longestText = 0;
};

class Soak {
 public:
  Soak(Form& form, soak::Random& random, int longPaste)
      : form_(form), random_(random), longPaste_(longPaste) {
    for (const plinthar::form::ControlSpec* spec : plinthar::form::kControls) {
      all_.push_back(form.Control(spec->name));
    }
    for (const char* name : {"Text1", "Text2", "Text3", "Command1", "Command2", "Command3"}) {
      working_.push_back(form.Control(name));
    }
    for (int pin = 0; pin < plinthar::kPinCount; ++pin) {
      working_.push_back(form.Pin(pin));
    }
  }

  Event Run() { return soak::Play(random_, tally, *this); }

  // Gives the core beside the window what the event did.
  void Follow(const Event& event) {
    if (event.expectedBoxText) {
      std::string text = WideToUtf8(*event.expectedBoxText);
      switch (event.box) {
        case 0:
          oracle.state.SetBinaryText(std::move(text));
          break;
        case 1:
          oracle.state.SetHexText(std::move(text));
          break;
        default:
          oracle.state.SetDecimalText(std::move(text));
          break;
      }
    }
    for (int press = 0; press < event.presses; ++press) {
      switch (event.pressed) {
        case Pressed::Command1:
          plinthar::ConvertHex(oracle.state);
          break;
        case Pressed::Command2:
          plinthar::ConvertDecimal(oracle.state);
          break;
        case Pressed::Command3:
          plinthar::ToggleAllPins(oracle.state);
          break;
        case Pressed::Pin:
          oracle.state.ClickPin(event.pin);
          break;
        case Pressed::Inert:
          break;
      }
    }
  }

  [[nodiscard]] std::string Check(const Event& event, const Fields& before,
                                  const std::vector<SeenMessageBox>& seen) const {
    std::string problem = CheckWindow();
    const Fields now = plinthar::testing::Snapshot(form_.State());
    if (problem.empty()) {
      problem = CheckShown(now);
    }
    if (problem.empty() && now != plinthar::testing::Snapshot(oracle.state)) {
      problem = "the window's fields are " + soak::FieldsText(now) +
                " but the core beside it has " +
                soak::FieldsText(plinthar::testing::Snapshot(oracle.state));
    }
    std::vector<std::string> messages;
    for (const SeenMessageBox& box : seen) {
      messages.push_back(WideToUtf8(box.text));
      if (problem.empty() &&
          (WideToUtf8(box.title) != plinthar::testing::kWarningTitle || !box.warningIcon ||
           box.buttons != std::vector<int>{IDOK} || !box.ownedByForm || !box.formDisabled)) {
        problem = "a box titled " + WideToUtf8(box.title) + " that is no warning of the form";
      }
    }
    if (problem.empty() && messages != oracle.warnings) {
      problem = std::to_string(messages.size()) + " warnings where the core beside it showed " +
                std::to_string(oracle.warnings.size());
    }
    if (problem.empty()) {
      problem = soak::CheckWarnings(before, now, messages);
    }
    if (problem.empty() && event.presses == 1) {
      problem = soak::CheckPress(event.pressed, event.pin, before, now, messages.size());
    }
    if (problem.empty() && event.presses > 0 && now.pins != before.pins) {
      problem = soak::CheckPinsDescribed(now);
    }
    // Enter on a button that Tab made the default one presses it.
    if (problem.empty() && event.presses == 0) {
      problem = soak::CheckFocusKey(event.action, before, now, messages.size());
    }
    if (problem.empty() && event.expectedBoxText) {
      const std::wstring held = plinthar::testing::TextOf(
          form_.Control(kTextBoxes.at(static_cast<std::size_t>(event.box))));
      if (held != *event.expectedBoxText) {
        problem = std::string(kTextBoxes.at(static_cast<std::size_t>(event.box))) + " holds " +
                  soak::Abbreviated(WideToUtf8(held)) + " instead of " +
                  soak::Abbreviated(WideToUtf8(*event.expectedBoxText));
      }
    }
    return problem;
  }

  void Count(const Event& event, const std::vector<SeenMessageBox>& seen) {
    for (const SeenMessageBox& box : seen) {
      ++tally.warnings[WideToUtf8(box.text)];
    }
    tally.presses += event.presses;
    for (const std::string* text :
         {&oracle.state.BinaryText(), &oracle.state.HexText(), &oracle.state.DecimalText()}) {
      tally.longestText = std::max(tally.longestText, text->size());
    }
  }

  Oracle oracle;
  Tally tally;

  // The user's actions, played as the messages that the form would get;
  // soak::Play picks which.

  // A click at a random point of a control; whatever lies on top there
  // takes it, as it would for a user. A double click is two presses.
  Event Click(bool twice) {
    // Most clicks go to the controls that do something, the rest anywhere.
    const std::vector<HWND>& pool = soak::Chance(random_, 0.6) ? working_ : all_;
    HWND control = pool.at(
        static_cast<std::size_t>(soak::Pick(random_, 0, static_cast<int>(pool.size()) - 1)));
    RECT area{};
    GetClientRect(control, &area);
    POINT point{soak::Pick(random_, 0, std::max<int>(0, area.right - 1)),
                soak::Pick(random_, 0, std::max<int>(0, area.bottom - 1))};
    MapWindowPoints(control, form_.Handle(), &point, 1);
    const POINT inWindow = point;
    HWND target = TargetAt(point);
    MapWindowPoints(form_.Handle(), target, &point, 1);
    Event event{twice ? Action::DoubleClick : Action::Click};
    event.description = std::string(twice ? "double click" : "click") + " on " + NameOf(control) +
                        " at (" + std::to_string(inWindow.x) + "," + std::to_string(inWindow.y) +
                        "), taken by " + NameOf(target);
    PressedBy(target, event);
    event.presses = event.pressed == Pressed::Inert ? 0 : (twice ? 2 : 1);
    const LPARAM where = MAKELPARAM(point.x, point.y);
    PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageW(target, WM_LBUTTONUP, 0, where);
    plinthar::testing::Pump(form_.Handle());
    // The second click comes once the first has been handled and any warning
    // it showed answered, as the window takes no clicks while a warning is up.
    if (twice) {
      PostMessageW(target, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
      PostMessageW(target, WM_LBUTTONUP, 0, where);
      plinthar::testing::Pump(form_.Handle());
    }
    return event;
  }

  Event Type() {
    const soak::Alphabet alphabet = soak::RandomAlphabet(random_);
    const std::u32string text =
        soak::RandomText(random_, alphabet, soak::RandomTypedLength(random_), false);
    const std::string clicked = ClickIntoTextBox();
    HWND target = GetFocus();
    Event event{Action::Type};
    event.description = clicked + "type " + soak::AlphabetName(alphabet) + " " +
                        soak::Abbreviated(soak::Utf8(text)) + " into " + NameOf(target);
    const std::wstring typed = Utf16(text);
    event.box = BoxOf(target);
    if (event.box >= 0) {
      event.expectedBoxText = Inserted(target, typed);
    }
    form_.TypeHere(typed);
    return event;
  }

  Event Paste() {
    const soak::Alphabet alphabet = soak::RandomAlphabet(random_);
    const int length = std::min(soak::RandomPasteLength(random_), longPaste_);
    const std::wstring text = Utf16(soak::RandomText(random_, alphabet, length, true));
    const std::string clicked = ClickIntoTextBox();
    HWND target = GetFocus();
    Event event{Action::Paste};
    event.box = BoxOf(target);
    const bool replace = soak::PastesOverAll(
        random_, event.box >= 0 ? static_cast<std::size_t>(GetWindowTextLengthW(target)) : 0);
    event.description = clicked + "paste " + soak::AlphabetName(alphabet) + " " +
                        soak::Abbreviated(WideToUtf8(text)) + " into " + NameOf(target) +
                        (replace ? " over all of it" : "");
    if (event.box < 0) {
      return event;  // Ctrl+V outside a text box pastes nothing
    }
    if (length == longPaste_) {
      ++tally.longPastes;
    }
    if (replace) {
      SendMessageW(target, EM_SETSEL, 0, -1);  // Ctrl+A
    }
    event.expectedBoxText = Inserted(target, FirstLine(text));
    form_.Paste(kTextBoxes.at(static_cast<std::size_t>(event.box)), text);
    return event;
  }

  Event Key(Action action) {
    HWND target = GetFocus();
    WPARAM key = VK_SPACE;
    switch (action) {
      case Action::Tab:
      case Action::BackTab:
        key = VK_TAB;
        break;
      case Action::Enter:
        key = VK_RETURN;
        break;
      case Action::Escape:
        key = VK_ESCAPE;
        break;
      default:
        break;
    }
    Event event{action};
    event.description = std::string(soak::ActionName(action)) + " on " + NameOf(target);
    if (action == Action::Space) {
      event.box = BoxOf(target);
      if (event.box >= 0) {
        event.expectedBoxText = Inserted(target, L" ");
      } else {
        PressedBy(target, event);
        event.presses = event.pressed == Pressed::Inert ? 0 : 1;
      }
    } else if (action == Action::Enter && target != nullptr &&
               (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0) {
      // The dialog manager makes a push button that Tab moved to the default
      // one while it has the focus, and Enter presses it: the toolkit's
      // choice of a key that clicks a focused button.
      PressedBy(target, event);
      event.presses = event.pressed == Pressed::Inert ? 0 : 1;
      event.description += " (its default button)";
    }
    form_.Press(key, action == Action::BackTab);
    return event;
  }

 private:
  // The control that a click at a point of the window's client area goes
  // to: the topmost visible control there, passing through the labels,
  // which let clicks fall to what lies beneath them.
  [[nodiscard]] HWND TargetAt(POINT client) const {
    HWND target = form_.Handle();
    POINT point = client;
    for (;;) {
      HWND child = ChildWindowFromPointEx(target, point, CWP_SKIPINVISIBLE);
      if (child == nullptr || child == target) {
        return target;
      }
      POINT screen = point;
      ClientToScreen(target, &screen);
      if (SendMessageW(child, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)) == HTTRANSPARENT) {
        return target;
      }
      MapWindowPoints(target, child, &point, 1);
      target = child;
    }
  }

  [[nodiscard]] std::string NameOf(HWND control) const {
    const auto found = std::find(all_.begin(), all_.end(), control);
    return found == all_.end()
               ? "the window"
               : plinthar::form::kControls.at(static_cast<std::size_t>(found - all_.begin()))->name;
  }

  [[nodiscard]] int BoxOf(HWND control) const {
    for (std::size_t box = 0; box < kTextBoxes.size(); ++box) {
      if (form_.Control(kTextBoxes.at(box)) == control) {
        return static_cast<int>(box);
      }
    }
    return -1;
  }

  void PressedBy(HWND control, Event& event) const {
    for (int pin = 0; pin < plinthar::kPinCount; ++pin) {
      if (form_.Pin(pin) == control) {
        event.pressed = Pressed::Pin;
        event.pin = pin;
        return;
      }
    }
    const std::array<std::pair<const char*, Pressed>, 3> buttons{{{"Command1", Pressed::Command1},
                                                                  {"Command2", Pressed::Command2},
                                                                  {"Command3", Pressed::Command3}}};
    for (const auto& [name, pressed] : buttons) {
      if (form_.Control(name) == control) {
        event.pressed = pressed;
        return;
      }
    }
    event.pressed = Pressed::Inert;
  }

  // A click into a text box before typing or pasting, when the script
  // wants one; says where it clicked.
  std::string ClickIntoTextBox() {
    const std::optional<std::size_t> clicked = soak::BoxClickedBeforeKeys(random_);
    if (!clicked) {
      return {};
    }
    const char* name = kTextBoxes.at(*clicked);
    HWND box = form_.Control(name);
    RECT area{};
    GetClientRect(box, &area);
    form_.ClickAt(
        box, {soak::Pick(random_, 0, area.right - 1), soak::Pick(random_, 0, area.bottom - 1)});
    return std::string("click on ") + name + ", then ";
  }

  // The window as a whole after any event.
  [[nodiscard]] std::string CheckWindow() const {
    HWND window = form_.Handle();
    if (IsWindowVisible(window) == FALSE || IsIconic(window) != FALSE) {
      return "the window is no longer shown";
    }
    if (IsWindowEnabled(window) == FALSE) {
      return "the window takes no input: a modal box is still open";
    }
    RECT client{};
    GetClientRect(window, &client);
    const auto dpi = static_cast<int>(GetDpiForWindow(window));
    if (client.right != plinthar::form::TwipsToPixels(plinthar::form::kClientWidth, dpi) ||
        client.bottom != plinthar::form::TwipsToPixels(plinthar::form::kClientHeight, dpi)) {
      return "the client area is " + std::to_string(client.right) + " x " +
             std::to_string(client.bottom);
    }
    return {};
  }

  // Every control shows its field, and the caption is one of the two.
  [[nodiscard]] std::string CheckShown(const Fields& now) const {
    const std::array<const std::string*, 3> fields{&now.binary, &now.hex, &now.decimal};
    for (std::size_t box = 0; box < kTextBoxes.size(); ++box) {
      const std::string shown =
          WideToUtf8(plinthar::testing::TextOf(form_.Control(kTextBoxes.at(box))));
      if (shown != *fields.at(box)) {
        return std::string(kTextBoxes.at(box)) + " shows " + soak::Abbreviated(shown) +
               " but its field holds " + soak::Abbreviated(*fields.at(box));
      }
    }
    const int shownPins = form_.ShownPins();
    for (int pin = 0; pin < plinthar::kPinCount; ++pin) {
      const bool ticked = (shownPins & (1 << pin)) != 0;
      if (ticked != now.pins.at(static_cast<std::size_t>(pin))) {
        return "Check" + std::to_string(pin + 1) + " shows " + (ticked ? "1" : "0") + " but P" +
               std::to_string(pin) + " is " + (ticked ? "0" : "1");
      }
    }
    const std::string caption = WideToUtf8(plinthar::testing::TextOf(form_.Control("Command3")));
    if (caption != now.caption) {
      return "Command3 reads " + caption + " but ToggleCaption is " + now.caption;
    }
    return soak::CheckCaption(now);
  }

  Form& form_;
  soak::Random& random_;
  int longPaste_;
  std::vector<HWND> all_;
  std::vector<HWND> working_;  // the text boxes, the buttons and the pins
};

TEST(WindowSoak, RandomUserEventsKeepTheWindowBesideTheCore) {
  const std::optional<long long> seed =
      soak::EnvironmentNumber("PLINTHAR_SOAK_SEED", soak::kDefaultSeed);
  const std::optional<long long> events =
      soak::EnvironmentNumber("PLINTHAR_SOAK_EVENTS", soak::kDefaultEvents);
  // Wine's edit control lays a line of emoji out again at every change, in
  // time that grows with its length: one paste of 100,000 emoji takes it over
  // 30 s, and each key typed after it seconds more. The ctest run caps its
  // long pastes (see tests/win32/CMakeLists.txt); scripts/soak does not.
  const std::optional<long long> longPaste =
      soak::EnvironmentNumber("PLINTHAR_SOAK_LONG_PASTE", soak::kLongPasteLength);
  ASSERT_TRUE(seed && events && longPaste && *longPaste > 0 && *longPaste <= soak::kLongPasteLength)
      << "PLINTHAR_SOAK_SEED and PLINTHAR_SOAK_EVENTS take a whole number from 0 up, "
         "PLINTHAR_SOAK_LONG_PASTE one from 1 to "
      << soak::kLongPasteLength;
  soak::Random random(static_cast<soak::Random::result_type>(*seed));

  // No picture: the soak is about the controls; the pictures have their own
  // tests.
  Form form;
  Soak soak(form, random, static_cast<int>(*longPaste));
  soak::RecentEvents recent;
  const auto start = std::chrono::steady_clock::now();
  for (long long number = 1; number <= *events; ++number) {
    const Fields before = plinthar::testing::Snapshot(form.State());
    soak.oracle.warnings.clear();
    std::vector<SeenMessageBox> seen;
    Event event;
    {
      const MessageBoxCatcher catcher(form.Handle());
      event = soak.Run();
      seen = catcher.seen;
    }
    soak.Follow(event);
    // The window takes the activation back once a warning box has gone.
    if (!seen.empty() && GetActiveWindow() != form.Handle()) {
      SetActiveWindow(form.Handle());
      plinthar::testing::Pump(form.Handle());
    }

    recent.Add(number, event.description);
    const std::string problem = soak.Check(event, before, seen);
    if (!problem.empty()) {
      FAIL() << recent.Report(*seed, number, problem, before);
    }
    soak.Count(event, seen);
  }

  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const Tally& tally = soak.tally;
  std::printf("soak: seed %lld, %lld events in %.1f s, no finding\n", *seed, *events, seconds);
  std::printf("soak: events: %s\n", tally.ActionsText().c_str());
  std::printf("soak: %lld presses of a button or pin; %lld warnings answered%s\n", tally.presses,
              tally.WarningTotal(), tally.WarningsText().c_str());
  std::printf("soak: %lld pastes of %lld characters into a text box; longest field %zu bytes\n",
              tally.longPastes, *longPaste, tally.longestText);
}

}  // namespace
