#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "form_operations.h"
#include "main_window.h"
#include "qt_window_test_support.h"
#include "reference_readings.h"

// A long run of random user events against the real window: clicks on every
// control, typing and pasting texts of every kind, and the keys that move the
// focus or press the focused control. After each event the window must still
// be open, keep its size, and show every field of its state.

namespace {

using plinthar::ConverterState;
using plinthar::kPinCount;
using plinthar::MainWindow;
using plinthar::testing::MessageBoxWatcher;
using plinthar::testing::PinRow;
using plinthar::testing::SeenMessageBox;

// The ctest run; scripts/soak asks for more through the environment.
constexpr std::uint32_t kDefaultSeed = 20240611;
constexpr long long kDefaultEvents = 2000;
constexpr int kLongPasteLength = 100000;
// Beyond this a paste replaces the whole box, as a user tired of scrolling
// would: otherwise a run of long pastes grows one text without bound.
constexpr qsizetype kLongestKeptText = 250000;
constexpr std::size_t kEventsRemembered = 12;

const QSize kClientSize(274, 253);
const QString kSelectAll = QString::fromUtf8(plinthar::testing::kSelectAllCaption);
const QString kClear = QString::fromUtf8(plinthar::testing::kClearCaption);
const QString kWarningTitle = QString::fromUtf8(plinthar::testing::kWarningTitle);
const QString kEmptyHex = QString::fromUtf8(plinthar::testing::kEmptyHexMessage);
const QString kEmptyDecimal = QString::fromUtf8(plinthar::testing::kEmptyDecimalMessage);
const QString kBadDecimal = QString::fromUtf8(plinthar::testing::kBadDecimalMessage);

using Random = std::mt19937;

int Pick(Random& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}

bool Chance(Random& random, double probability) {
  return std::bernoulli_distribution(probability)(random);
}

std::optional<long long> EnvironmentNumber(const char* name, long long fallback) {
  if (!qEnvironmentVariableIsSet(name)) {
    return fallback;
  }
  bool ok = false;
  const long long value = qEnvironmentVariable(name).toLongLong(&ok);
  if (!ok || value < 0) {
    return std::nullopt;
  }
  return value;
}

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
constexpr std::array kAlphabets{Alphabet::Ascii,  Alphabet::HexDigits, Alphabet::DecimalDigits,
                                Alphabet::Blanks, Alphabet::Chinese,   Alphabet::FullWidth,
                                Alphabet::Emoji,  Alphabet::Mixed};

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

bool IsChinese(char32_t code) {
  return code >= 0x4E00 && code <= 0x9FFF;
}

// A pasted text may carry tabs and line breaks, which a key press cannot
// put into a one-line box.
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

void AppendCode(QString& text, char32_t code) {
  if (QChar::requiresSurrogates(code)) {
    text += QChar(QChar::highSurrogate(code));
    text += QChar(QChar::lowSurrogate(code));
  } else {
    text += QChar(static_cast<char16_t>(code));
  }
}

QString RandomText(Random& random, Alphabet alphabet, int length, bool pasted) {
  QString text;
  text.reserve(qsizetype{length} * 2);
  for (int i = 0; i < length; ++i) {
    AppendCode(text, RandomCharacter(random, alphabet, pasted));
  }
  return text;
}

QString Abbreviated(const QString& text) {
  constexpr qsizetype kShown = 24;
  if (text.size() <= kShown) {
    return u'"' + text + u'"';
  }
  return QStringLiteral("\"%1…\" (%2 units)").arg(text.left(kShown)).arg(text.size());
}

// --- What the state should show ---------------------------------------------

struct Fields {
  QString binary;
  QString hex;
  QString decimal;
  QString caption;
  PinRow pins{};
  bool operator==(const Fields&) const = default;
};

Fields FieldsOf(const ConverterState& state) {
  Fields fields{QString::fromStdString(state.BinaryText()),
                QString::fromStdString(state.HexText()),
                QString::fromStdString(state.DecimalText()),
                QString::fromStdString(state.ToggleCaption()),
                {}};
  for (int pin = 0; pin < kPinCount; ++pin) {
    fields.pins.at(static_cast<std::size_t>(pin)) = state.Pin(pin);
  }
  return fields;
}

QString PinsText(const PinRow& pins) {
  QString text = QStringLiteral("P7..P0=");
  for (int pin = kPinCount - 1; pin >= 0; --pin) {
    text += pins.at(static_cast<std::size_t>(pin)) ? u'1' : u'0';
  }
  return text;
}

QString FieldsText(const Fields& fields) {
  return QStringLiteral("binary %1, hex %2, decimal %3, caption %4, %5")
      .arg(Abbreviated(fields.binary), Abbreviated(fields.hex), Abbreviated(fields.decimal),
           fields.caption, PinsText(fields.pins));
}

// The texts that describe a pin row: binary "0" when no pin is set.
bool TextsDescribe(const Fields& fields, const PinRow& pins) {
  const plinthar::testing::Displays texts = plinthar::testing::PinDisplays(pins);
  return fields.binary.toStdString() == texts.binary && fields.hex.toStdString() == texts.hex &&
         fields.decimal.toStdString() == texts.decimal;
}

// --- The window and its controls --------------------------------------------

struct Controls {
  explicit Controls(const QWidget& window) {
    const auto find = [&window](const QString& name) { return window.findChild<QWidget*>(name); };
    for (const char* name :
         {"Text1", "Text2", "Text3", "Command1", "Command2", "Command3", "Frame1", "Picture1"}) {
      all.push_back(find(QString::fromLatin1(name)));
    }
    for (int i = 1; i <= 11; ++i) {
      all.push_back(find(QStringLiteral("Label%1").arg(i)));
    }
    for (int pin = 0; pin < kPinCount; ++pin) {
      auto* box = window.findChild<QCheckBox*>(QStringLiteral("Check%1").arg(pin + 1));
      pins.at(static_cast<std::size_t>(pin)) = box;
      all.push_back(box);
    }
    working.assign(all.begin(), all.begin() + 6);
    working.insert(working.end(), pins.begin(), pins.end());
    text1 = window.findChild<QLineEdit*>(QStringLiteral("Text1"));
    text2 = window.findChild<QLineEdit*>(QStringLiteral("Text2"));
    text3 = window.findChild<QLineEdit*>(QStringLiteral("Text3"));
    command1 = window.findChild<QPushButton*>(QStringLiteral("Command1"));
    command2 = window.findChild<QPushButton*>(QStringLiteral("Command2"));
    command3 = window.findChild<QPushButton*>(QStringLiteral("Command3"));
  }

  [[nodiscard]] bool Complete() const {
    return all.size() == 27 && std::find(all.begin(), all.end(), nullptr) == all.end() &&
           text1 != nullptr && text2 != nullptr && text3 != nullptr && command1 != nullptr &&
           command2 != nullptr && command3 != nullptr;
  }

  [[nodiscard]] int PinOf(const QWidget* widget) const {
    const auto* found = std::find(pins.begin(), pins.end(), widget);
    return found == pins.end() ? -1 : static_cast<int>(found - pins.begin());
  }

  std::vector<QWidget*> all;
  std::vector<QWidget*> working;  // the text boxes, the buttons and the pins
  std::array<QCheckBox*, kPinCount> pins{};
  QLineEdit* text1 = nullptr;
  QLineEdit* text2 = nullptr;
  QLineEdit* text3 = nullptr;
  QPushButton* command1 = nullptr;
  QPushButton* command2 = nullptr;
  QPushButton* command3 = nullptr;
};

// --- Closing the warnings ---------------------------------------------------

// What is wrong with a box the program showed, if anything: every box is a
// warning titled Quorvane with one OK button, which closes it.
QString BoxProblem(const SeenMessageBox& box) {
  if (box.icon != QMessageBox::Warning || box.title != kWarningTitle || box.buttonCount != 1 ||
      box.buttons != QMessageBox::StandardButtons(QMessageBox::Ok)) {
    return QStringLiteral("a box titled %1 with icon %2 and %3 buttons")
        .arg(box.title)
        .arg(static_cast<int>(box.icon))
        .arg(box.buttonCount);
  }
  if (box.stayedOpen) {
    return QStringLiteral("the box stayed open after the user closed it");
  }
  return {};
}

// --- Events -----------------------------------------------------------------

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

struct Event {
  Action action = Action::Click;
  QWidget* target = nullptr;  // the widget that took the click or the keys
  QString description;
  // For keys into a text box: the text that it must hold afterwards.
  std::optional<QString> expectedBoxText;
};

struct Tally {
  std::map<QString, long long> actions;
  std::map<QString, long long> warnings;
  long long operations = 0;
  long long pinChanges = 0;
  long long hexConversions = 0;
  long long decimalConversions = 0;
  qsizetype longestConverted = 0;
  long long longPastes = 0;
  qsizetype longestText = 0;
};

QString ActionName(Action action) {
  switch (action) {
    case Action::Click:
      return QStringLiteral("click");
    case Action::DoubleClick:
      return QStringLiteral("double click");
    case Action::Type:
      return QStringLiteral("type");
    case Action::Paste:
      return QStringLiteral("paste");
    case Action::Tab:
      return QStringLiteral("tab");
    case Action::BackTab:
      return QStringLiteral("shift+tab");
    case Action::Enter:
      return QStringLiteral("enter");
    case Action::Escape:
      return QStringLiteral("escape");
    case Action::Space:
      break;
  }
  return QStringLiteral("space");
}

Action RandomAction(Random& random) {
  // Clicks and typing are what users do most; each key still comes up a few
  // hundred times in the short run.
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

// Where keys go: the focused control, or the window when none has the focus.
QWidget* KeyTarget(QWidget& window) {
  QWidget* focused = QApplication::focusWidget();
  return focused != nullptr ? focused : &window;
}

// The text a box holds after text was put in at its cursor, replacing any
// selection, as typing and pasting do.
QString Inserted(const QLineEdit& box, const QString& text) {
  const QString before = box.text();
  if (box.hasSelectedText()) {
    const qsizetype start = box.selectionStart();
    return before.left(start) + text + before.mid(start + box.selectedText().size());
  }
  return before.left(box.cursorPosition()) + text + before.mid(box.cursorPosition());
}

// Latin-1 runs go through QTest::keyClicks. It cannot type anything else, so
// Chinese reaches a text box as an input method's commit, and full-width
// characters and emoji as key presses carrying their text, as a keyboard
// layout that has them sends them.
void TypeText(QWidget* target, const QString& text) {
  QString latin1;
  QString chinese;
  const auto flush = [&] {
    if (!latin1.isEmpty()) {
      QTest::keyClicks(target, latin1);
      latin1.clear();
    }
    if (!chinese.isEmpty()) {
      QInputMethodEvent commit;
      commit.setCommitString(chinese);
      QApplication::sendEvent(target, &commit);
      chinese.clear();
    }
  };
  for (const char32_t code : text.toUcs4()) {
    QString character;
    AppendCode(character, code);
    if (code <= 0xFF) {
      if (!chinese.isEmpty()) {
        flush();
      }
      latin1 += character;
    } else if (IsChinese(code) && target->testAttribute(Qt::WA_InputMethodEnabled)) {
      if (!latin1.isEmpty()) {
        flush();
      }
      chinese += character;
    } else {
      flush();
      QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, character, Qt::NoModifier);
    }
  }
  flush();
}

// A single click, or Space on a control that is not a text box.
bool IsPress(const Event& event) {
  return event.action == Action::Click ||
         (event.action == Action::Space && qobject_cast<const QLineEdit*>(event.target) == nullptr);
}

struct Soak {
  Soak(MainWindow& w, const Controls& c, Random& r) : window(w), controls(c), random(r) {}

  Event Click(bool twice) {
    // Most clicks go to the controls that do something, the rest anywhere.
    const std::vector<QWidget*>& pool = Chance(random, 0.6) ? controls.working : controls.all;
    QWidget* control =
        pool.at(static_cast<std::size_t>(Pick(random, 0, static_cast<int>(pool.size()) - 1)));
    const QRect area = control->rect();
    const QPoint inside(Pick(random, area.left(), area.right()),
                        Pick(random, area.top(), area.bottom()));
    const QPoint point = control->mapTo(&window, inside);
    // The click goes to the screen, so whatever lies on top at that point
    // takes it, as it would for a user.
    QWidget* target = window.childAt(point);
    Event event{twice ? Action::DoubleClick : Action::Click,
                target != nullptr ? target : &window,
                QStringLiteral("%1 on %2 at (%3,%4), taken by %5")
                    .arg(twice ? QStringLiteral("double click") : QStringLiteral("click"),
                         control->objectName())
                    .arg(point.x())
                    .arg(point.y())
                    .arg(target != nullptr ? target->objectName() : QStringLiteral("the window")),
                {}};
    if (twice) {
      QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, point);
    } else {
      QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, point);
    }
    return event;
  }

  // Half the time the user clicks into a text box before typing or pasting;
  // the other half the keys go wherever the focus is. Says where it clicked.
  QString ClickIntoTextBox() {
    if (Chance(random, 0.5)) {
      return {};
    }
    const std::array<QLineEdit*, 3> boxes{controls.text1, controls.text2, controls.text3};
    QLineEdit* box = boxes.at(static_cast<std::size_t>(Pick(random, 0, 2)));
    const QPoint point = box->mapTo(
        &window, QPoint(Pick(random, 0, box->width() - 1), Pick(random, 0, box->height() - 1)));
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, point);
    return QStringLiteral("click on %1 at (%2,%3), then ")
        .arg(box->objectName())
        .arg(point.x())
        .arg(point.y());
  }

  Event Type() {
    const Alphabet alphabet = kAlphabets.at(static_cast<std::size_t>(Pick(random, 0, 7)));
    const QString text = RandomText(random, alphabet, Pick(random, 1, 24), false);
    const QString clicked = ClickIntoTextBox();
    QWidget* target = KeyTarget(window);
    Event event{Action::Type,
                target,
                QStringLiteral("%1type %2 %3 into %4")
                    .arg(clicked, QString::fromLatin1(AlphabetName(alphabet)), Abbreviated(text),
                         target->objectName()),
                {}};
    if (const auto* box = qobject_cast<QLineEdit*>(target)) {
      event.expectedBoxText = Inserted(*box, text);
    }
    TypeText(target, text);
    return event;
  }

  Event Paste() {
    const Alphabet alphabet = kAlphabets.at(static_cast<std::size_t>(Pick(random, 0, 7)));
    const int roll = Pick(random, 1, 10);
    const int length = roll == 1   ? kLongPasteLength
                       : roll <= 3 ? Pick(random, 1000, 20000)
                                   : Pick(random, 1, 64);
    const QString text = RandomText(random, alphabet, length, true);
    const QString clicked = ClickIntoTextBox();
    QWidget* target = KeyTarget(window);
    auto* box = qobject_cast<QLineEdit*>(target);
    const bool replace =
        Chance(random, 0.5) || (box != nullptr && box->text().size() > kLongestKeptText);
    Event event{
        Action::Paste,
        target,
        QStringLiteral("%1paste %2 %3 into %4%5")
            .arg(clicked, QString::fromLatin1(AlphabetName(alphabet)), Abbreviated(text),
                 target->objectName(), replace ? QStringLiteral(" over all of it") : QString()),
        {}};
    if (length == kLongPasteLength && box != nullptr) {
      ++tally.longPastes;
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(text);
    if (clipboard->text() != text) {
      clipboardLost = true;
      return event;
    }
    if (replace) {
      QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    }
    if (box != nullptr) {
      event.expectedBoxText = Inserted(*box, text);
    }
    QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    return event;
  }

  Event Key(Action action) {
    QWidget* target = KeyTarget(window);
    Qt::Key key = Qt::Key_Space;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    switch (action) {
      case Action::Tab:
        key = Qt::Key_Tab;
        break;
      case Action::BackTab:
        key = Qt::Key_Tab;
        modifiers = Qt::ShiftModifier;
        break;
      case Action::Enter:
        key = Chance(random, 0.5) ? Qt::Key_Return : Qt::Key_Enter;
        break;
      case Action::Escape:
        key = Qt::Key_Escape;
        break;
      default:
        break;
    }
    Event event{action,
                target,
                QStringLiteral("%1 on %2").arg(ActionName(action), target->objectName()),
                {}};
    if (const auto* box = qobject_cast<QLineEdit*>(target);
        box != nullptr && action == Action::Space) {
      event.expectedBoxText = Inserted(*box, QStringLiteral(" "));
    }
    QTest::keyClick(target, key, modifiers);
    return event;
  }

  Event Run() {
    const Action action = RandomAction(random);
    ++tally.actions[ActionName(action)];
    switch (action) {
      case Action::Click:
        return Click(false);
      case Action::DoubleClick:
        return Click(true);
      case Action::Type:
        return Type();
      case Action::Paste:
        return Paste();
      default:
        return Key(action);
    }
  }

  // The window as a whole after any event.
  [[nodiscard]] QString CheckWindow() const {
    if (!window.isVisible() || window.isMinimized()) {
      return QStringLiteral("the window is no longer shown");
    }
    if (window.size() != kClientSize || window.geometry().size() != kClientSize) {
      return QStringLiteral("the client area is %1 x %2").arg(window.width()).arg(window.height());
    }
    if (QApplication::activeModalWidget() != nullptr) {
      return QStringLiteral("a modal box is still open");
    }
    if (QApplication::activeWindow() != &window) {
      return QStringLiteral("the window is no longer the active one");
    }
    return {};
  }

  // Every control shows its field, and the fields hold what the program can
  // write into them.
  [[nodiscard]] QString CheckShown(const Fields& now) const {
    const std::array<std::pair<const QLineEdit*, const QString*>, 3> boxes{
        {{controls.text1, &now.binary},
         {controls.text2, &now.hex},
         {controls.text3, &now.decimal}}};
    for (const auto& [box, field] : boxes) {
      if (box->text() != *field) {
        return QStringLiteral("%1 shows %2 but its field holds %3")
            .arg(box->objectName(), Abbreviated(box->text()), Abbreviated(*field));
      }
    }
    for (int pin = 0; pin < kPinCount; ++pin) {
      const QCheckBox* box = controls.pins.at(static_cast<std::size_t>(pin));
      const Qt::CheckState expected =
          now.pins.at(static_cast<std::size_t>(pin)) ? Qt::Checked : Qt::Unchecked;
      if (box->checkState() != expected) {
        return QStringLiteral("%1 shows state %2 but P%3 is %4")
            .arg(box->objectName())
            .arg(static_cast<int>(box->checkState()))
            .arg(pin)
            .arg(now.pins.at(static_cast<std::size_t>(pin)) ? 1 : 0);
      }
    }
    if (controls.command3->text() != now.caption) {
      return QStringLiteral("Command3 reads %1 but ToggleCaption is %2")
          .arg(controls.command3->text(), now.caption);
    }
    if (now.caption != kSelectAll && now.caption != kClear) {
      return QStringLiteral("ToggleCaption is %1").arg(now.caption);
    }
    return {};
  }

  // Warnings come only from an empty input box or a refused decimal text,
  // and then nothing changes.
  [[nodiscard]] QString CheckWarnings(const Fields& before, const Fields& now,
                                      const MessageBoxWatcher& watcher) const {
    if (watcher.otherModalWidgets != 0) {
      return QStringLiteral("a modal widget that is no message box");
    }
    const std::vector<SeenMessageBox>& seen = watcher.seen;
    for (const auto& box : seen) {
      if (const QString problem = BoxProblem(box); !problem.isEmpty()) {
        return problem;
      }
      const bool explained = (box.text == kEmptyHex && before.hex.isEmpty()) ||
                             (box.text == kEmptyDecimal && before.decimal.isEmpty()) ||
                             (box.text == kBadDecimal && !before.decimal.isEmpty() &&
                              !plinthar::testing::AcceptedDecimal(before.decimal.toStdString()));
      if (!explained) {
        return QStringLiteral("a warning %1 with the fields %2").arg(box.text, FieldsText(before));
      }
    }
    if (!seen.empty() && now != before) {
      return QStringLiteral("a warning was shown, yet the fields went from %1 to %2")
          .arg(FieldsText(before), FieldsText(now));
    }
    return {};
  }

  // What a single press of a button or a pin must have done.
  [[nodiscard]] QString CheckPress(const QWidget* target, const Fields& before, const Fields& now,
                                   std::size_t warnings) const {
    if (const int pin = controls.PinOf(target); pin >= 0) {
      PinRow expected = before.pins;
      expected.at(static_cast<std::size_t>(pin)) = !expected.at(static_cast<std::size_t>(pin));
      return now.pins == expected ? QString()
                                  : QStringLiteral("a press on P%1 left the pins at %2")
                                        .arg(pin)
                                        .arg(PinsText(now.pins));
    }
    if (target == controls.command3) {
      const bool selected = before.caption == kSelectAll;
      const Fields expected = selected ? Fields{QStringLiteral("11111111"),
                                                QStringLiteral("0xFF"),
                                                QStringLiteral("255"),
                                                kClear,
                                                {true, true, true, true, true, true, true, true}}
                                       : Fields{{}, {}, {}, kSelectAll, {}};
      return now == expected ? QString()
                             : QStringLiteral("select all / clear went from %1 to %2")
                                   .arg(FieldsText(before), FieldsText(now));
    }
    if (target == controls.command1) {
      if (before.hex.isEmpty()) {
        return warnings == 1 ? QString() : QStringLiteral("an empty hexadecimal box did not warn");
      }
      const plinthar::testing::Displays converted =
          plinthar::testing::HexTextDisplays(before.hex.toStdString());
      return CheckConversion(before, now, QString::fromStdString(converted.binary),
                             QString::fromStdString(converted.hex), std::nullopt);
    }
    if (target == controls.command2) {
      const std::optional<std::uint32_t> value =
          plinthar::testing::AcceptedDecimal(before.decimal.toStdString());
      if (!value) {
        return warnings == 1 ? QString() : QStringLiteral("a refused decimal box did not warn");
      }
      return CheckConversion(
          before, now, QString::fromStdString(plinthar::testing::BinaryDigits(*value)),
          QString::fromStdString(plinthar::testing::HexDisplayOf(*value)), before.decimal);
    }
    // The text boxes, the labels, the frame and the picture run nothing.
    if (now != before || warnings != 0) {
      return QStringLiteral("pressing %1 changed the fields to %2")
          .arg(target->objectName(), FieldsText(now));
    }
    return {};
  }

  // A conversion shows its digits on the pins; when that changed no pin the
  // texts are the conversion's own, otherwise the pins' (checked apart).
  [[nodiscard]] static QString CheckConversion(const Fields& before, const Fields& now,
                                               const QString& binary, const QString& hex,
                                               const std::optional<QString>& decimal) {
    if (now.pins != plinthar::testing::PinPatternOf(binary.toStdString())) {
      return QStringLiteral("the conversion to %1 left the pins at %2")
          .arg(Abbreviated(binary), PinsText(now.pins));
    }
    if (now.pins != before.pins) {
      return {};
    }
    if (now.binary != binary || now.hex != hex || (decimal && now.decimal != *decimal)) {
      return QStringLiteral("the conversion to %1 shows %2")
          .arg(Abbreviated(binary), FieldsText(now));
    }
    return {};
  }

  [[nodiscard]] QString Check(const Event& event, const Fields& before,
                              const MessageBoxWatcher& watcher) const {
    const std::vector<SeenMessageBox>& seen = watcher.seen;
    QString problem = CheckWindow();
    const Fields now = FieldsOf(window.State());
    if (problem.isEmpty()) {
      problem = CheckShown(now);
    }
    if (problem.isEmpty()) {
      problem = CheckWarnings(before, now, watcher);
    }
    if (problem.isEmpty()) {
      problem = operationProblem;
    }
    if (problem.isEmpty() && IsPress(event)) {
      problem = CheckPress(event.target, before, now, seen.size());
    }
    const bool nothingToDo = event.action == Action::Tab || event.action == Action::BackTab ||
                             event.action == Action::Enter || event.action == Action::Escape;
    if (problem.isEmpty() && nothingToDo && (now != before || !seen.empty())) {
      problem = QStringLiteral("%1 changed the fields from %2 to %3")
                    .arg(ActionName(event.action), FieldsText(before), FieldsText(now));
    }
    if (problem.isEmpty() && event.expectedBoxText) {
      const auto* box = qobject_cast<const QLineEdit*>(event.target);
      if (box->text() != *event.expectedBoxText) {
        problem = QStringLiteral("%1 holds %2 instead of %3")
                      .arg(box->objectName(), Abbreviated(box->text()),
                           Abbreviated(*event.expectedBoxText));
      }
    }
    return problem;
  }

  void Count(const Event& event, const Fields& before, const std::vector<SeenMessageBox>& seen,
             const Fields& now) {
    for (const auto& box : seen) {
      ++tally.warnings[box.text];
    }
    if (IsPress(event) && seen.empty()) {
      if (event.target == controls.command1) {
        ++tally.hexConversions;
        tally.longestConverted = std::max(tally.longestConverted, before.hex.size());
      } else if (event.target == controls.command2) {
        ++tally.decimalConversions;
      }
    }

    tally.longestText =
        std::max({tally.longestText, now.binary.size(), now.hex.size(), now.decimal.size()});
  }

  // Each button and pin box reports its click to the window first, so this
  // runs once the operation that the click started has ended: a double click
  // or a run of Spaces is several operations, each checked on its own.
  void OperationEnded() {
    ++tally.operations;
    // Every operation writes each pin at most once, so a pin that changed
    // during it still differs from what it was when the last one ended.
    const Fields now = FieldsOf(window.State());
    if (now.pins == pinsAtLastOperation) {
      return;
    }
    pinsAtLastOperation = now.pins;
    ++tally.pinChanges;
    // Only a clear by the select-all button leaves the texts empty after
    // the pins changed.
    const bool cleared = now == Fields{{}, {}, {}, kSelectAll, {}};
    if (!cleared && !TextsDescribe(now, now.pins) && operationProblem.isEmpty()) {
      operationProblem =
          QStringLiteral("an operation changed a pin, yet the texts do not describe the pins: %1")
              .arg(FieldsText(now));
    }
  }

  MainWindow& window;
  const Controls& controls;
  Random& random;
  Tally tally;
  bool clipboardLost = false;
  QString operationProblem;
  PinRow pinsAtLastOperation{};
};

}  // namespace

namespace {

QtMessageHandler forwardMessage = nullptr;

// The off-screen platform says this for every message box that it shows.
void DropPlatformNoise(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message != QLatin1String("This plugin does not support propagateSizeHints()")) {
    forwardMessage(type, context, message);
  }
}

}  // namespace

class WindowSoakTest : public QObject {
  Q_OBJECT

 private slots:
  void random_user_events_keep_the_window_consistent() {
    const std::optional<long long> seed = EnvironmentNumber("PLINTHAR_SOAK_SEED", kDefaultSeed);
    const std::optional<long long> events =
        EnvironmentNumber("PLINTHAR_SOAK_EVENTS", kDefaultEvents);
    QVERIFY2(seed && events,
             "PLINTHAR_SOAK_SEED and PLINTHAR_SOAK_EVENTS take a whole number from 0 up");
    Random random(static_cast<Random::result_type>(*seed));
    forwardMessage = qInstallMessageHandler(DropPlatformNoise);
    const auto restoreHandler = qScopeGuard([] { qInstallMessageHandler(forwardMessage); });

    // No picture: the soak is about the controls, the pictures have their
    // own test.
    const QTemporaryDir dir;
    MainWindow window(dir.filePath(QStringLiteral("LCD.BMP")));
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const Controls controls(window);
    QVERIFY(controls.Complete());

    Soak soak(window, controls, random);
    for (QWidget* control : controls.working) {
      if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        connect(button, &QAbstractButton::clicked, this, [&soak] { soak.OperationEnded(); });
      }
    }
    // A zero interval runs inside the nested event loop of a modal box at
    // once; the box is closed as a user would, with the OK button, the Enter
    // key or the Escape key.
    MessageBoxWatcher closer(0);
    closer.Stop();
    closer.CloseWith([&random] {
      return std::array{MessageBoxWatcher::Closing::OkButton, MessageBoxWatcher::Closing::Enter,
                        MessageBoxWatcher::Closing::Escape}
          .at(static_cast<std::size_t>(Pick(random, 0, 2)));
    });
    std::deque<QString> recent;
    QElapsedTimer clock;
    clock.start();
    for (long long number = 1; number <= *events; ++number) {
      const Fields before = FieldsOf(window.State());
      closer.Start();
      const Event event = soak.Run();
      closer.Stop();
      // Let the window repaint, as it would between a user's actions.
      QCoreApplication::processEvents();
      // The off-screen platform has no window manager to give the activation
      // back to the window once a warning box has gone.
      if (!closer.seen.empty() && QApplication::activeWindow() == nullptr) {
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
      }

      recent.push_back(QStringLiteral("#%1 %2").arg(number).arg(event.description));
      if (recent.size() > kEventsRemembered) {
        recent.pop_front();
      }
      QVERIFY2(!soak.clipboardLost, "the clipboard did not keep the text to paste");
      const QString problem = soak.Check(event, before, closer);
      if (!problem.isEmpty()) {
        QStringList history(recent.begin(), recent.end());
        const QString report =
            QStringLiteral("seed %1, event %2: %3\nbefore: %4\nlast events:\n  %5")
                .arg(*seed)
                .arg(number)
                .arg(problem, FieldsText(before), history.join(u"\n  "));
        QFAIL(qPrintable(report));
      }
      soak.Count(event, before, closer.seen, FieldsOf(window.State()));
    }

    const Tally& tally = soak.tally;
    long long warnings = 0;
    QStringList warningCounts;
    for (const auto& [text, count] : tally.warnings) {
      warnings += count;
      warningCounts << QStringLiteral("%1 × %2").arg(count).arg(text);
    }
    QStringList actionCounts;
    for (const auto& [name, count] : tally.actions) {
      actionCounts << QStringLiteral("%1 %2").arg(name).arg(count);
    }
    qInfo("soak: seed %lld, %lld events in %.1f s, no finding", *seed, *events,
          static_cast<double>(clock.elapsed()) / 1000.0);
    qInfo("soak: events: %s", qPrintable(actionCounts.join(u", ")));
    qInfo("soak: %lld warnings closed%s%s", warnings, warnings == 0 ? "" : ": ",
          qPrintable(warningCounts.join(u", ")));
    qInfo("soak: %lld operations, %lld of which changed a pin", tally.operations, tally.pinChanges);
    qInfo("soak: %lld pastes of %d characters into a text box; longest text %lld units",
          tally.longPastes, kLongPasteLength, static_cast<long long>(tally.longestText));
    qInfo("soak: %lld hexadecimal conversions (longest input %lld units), %lld decimal conversions",
          tally.hexConversions, static_cast<long long>(tally.longestConverted),
          tally.decimalConversions);
  }
};

QTEST_MAIN(WindowSoakTest)
#include "window_soak_test.moc"
