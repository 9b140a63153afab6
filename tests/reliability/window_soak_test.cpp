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
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form_operations.h"
#include "main_window.h"
#include "qt_window_test_support.h"
#include "soak_script.h"

// A long run of random user events against the real window: clicks on every
// control, typing and pasting texts of every kind, and the keys that move the
// focus or press the focused control. After each event the window must still
// be open, keep its size, and show every field of its state.

namespace {

namespace soak = plinthar::testing::soak;
using plinthar::kPinCount;
using plinthar::MainWindow;
using plinthar::testing::MessageBoxWatcher;
using plinthar::testing::SeenMessageBox;
using soak::Action;
using soak::Fields;
using soak::Pressed;

const QSize kClientSize(274, 253);
const QString kWarningTitle = QString::fromUtf8(plinthar::testing::kWarningTitle);

QString ToQString(std::u32string_view text) {
  return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
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
    for (std::size_t box = 0; box < soak::kTextBoxes.size(); ++box) {
      boxes.at(box) = window.findChild<QLineEdit*>(QString::fromLatin1(soak::kTextBoxes.at(box)));
    }
    command1 = window.findChild<QPushButton*>(QStringLiteral("Command1"));
    command2 = window.findChild<QPushButton*>(QStringLiteral("Command2"));
    command3 = window.findChild<QPushButton*>(QStringLiteral("Command3"));
  }

  [[nodiscard]] bool Complete() const {
    return all.size() == 27 && std::find(all.begin(), all.end(), nullptr) == all.end() &&
           std::find(boxes.begin(), boxes.end(), nullptr) == boxes.end() && command1 != nullptr &&
           command2 != nullptr && command3 != nullptr;
  }

  [[nodiscard]] int PinOf(const QWidget* widget) const {
    const auto* found = std::find(pins.begin(), pins.end(), widget);
    return found == pins.end() ? -1 : static_cast<int>(found - pins.begin());
  }

  // The control that a press on the widget runs, as the checks tell them
  // apart.
  [[nodiscard]] Pressed PressOf(const QWidget* widget) const {
    if (PinOf(widget) >= 0) {
      return Pressed::Pin;
    }
    if (widget == command1) {
      return Pressed::Command1;
    }
    if (widget == command2) {
      return Pressed::Command2;
    }
    return widget == command3 ? Pressed::Command3 : Pressed::Inert;
  }

  std::vector<QWidget*> all;
  std::vector<QWidget*> working;  // the text boxes, the buttons and the pins
  std::array<QCheckBox*, kPinCount> pins{};
  std::array<QLineEdit*, soak::kTextBoxes.size()> boxes{};  // Text1, Text2, Text3
  QPushButton* command1 = nullptr;
  QPushButton* command2 = nullptr;
  QPushButton* command3 = nullptr;
};

// --- Closing the warnings ---------------------------------------------------

// What is wrong with a box the program showed, if anything: every box is a
// warning titled Quorvane with one OK button, which closes it.
std::string BoxProblem(const SeenMessageBox& box) {
  if (box.icon != QMessageBox::Warning || box.title != kWarningTitle || box.buttonCount != 1 ||
      box.buttons != QMessageBox::StandardButtons(QMessageBox::Ok)) {
    return "a box titled " + box.title.toStdString() + " with icon " +
           std::to_string(static_cast<int>(box.icon)) + " and " + std::to_string(box.buttonCount) +
           " buttons";
  }
  if (box.stayedOpen) {
    return "the box stayed open after the user closed it";
  }
  return {};
}

// --- Events -----------------------------------------------------------------

struct Event {
  Action action = Action::Click;
  QWidget* target = nullptr;  // the widget that took the click or the keys
  std::string description;
  // For keys into a text box: the text that it must hold afterwards.
  std::optional<QString> expectedBoxText;
};

struct Tally : soak::Tally {
  long long operations = 0;
  long long pinChanges = 0;
  long long hexConversions = 0;
  long long decimalConversions = 0;
  qsizetype longestConverted = 0;
  qsizetype longestText = 0;
};

// Where keys go: the focused control, or the window when none has the focus.
QWidget* KeyTarget(QWidget& window) {
  QWidget* focused = QApplication::focusWidget();
  return focused != nullptr ? focused : &window;
}

std::string NameOf(const QWidget* widget) {
  return widget->objectName().toStdString();
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
void TypeText(QWidget* target, std::u32string_view text) {
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
  for (const char32_t code : text) {
    const QString character = ToQString({&code, 1});
    if (code <= 0xFF) {
      if (!chinese.isEmpty()) {
        flush();
      }
      latin1 += character;
    } else if (soak::IsChinese(code) && target->testAttribute(Qt::WA_InputMethodEnabled)) {
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
  Soak(MainWindow& w, const Controls& c, soak::Random& r) : window(w), controls(c), random(r) {}

  Event Click(bool twice) {
    // Most clicks go to the controls that do something, the rest anywhere.
    const std::vector<QWidget*>& pool = soak::Chance(random, 0.6) ? controls.working : controls.all;
    QWidget* control =
        pool.at(static_cast<std::size_t>(soak::Pick(random, 0, static_cast<int>(pool.size()) - 1)));
    const QRect area = control->rect();
    const QPoint inside(soak::Pick(random, area.left(), area.right()),
                        soak::Pick(random, area.top(), area.bottom()));
    const QPoint point = control->mapTo(&window, inside);
    // The click goes to the screen, so whatever lies on top at that point
    // takes it, as it would for a user.
    QWidget* target = window.childAt(point);
    Event event{twice ? Action::DoubleClick : Action::Click,
                target != nullptr ? target : &window,
                std::string(twice ? "double click" : "click") + " on " + NameOf(control) + " at (" +
                    std::to_string(point.x()) + "," + std::to_string(point.y()) + "), taken by " +
                    (target != nullptr ? NameOf(target) : "the window"),
                {}};
    if (twice) {
      QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, point);
    } else {
      QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, point);
    }
    return event;
  }

  // A click into a text box before typing or pasting, when the script
  // wants one; says where it clicked.
  std::string ClickIntoTextBox() {
    const std::optional<std::size_t> clicked = soak::BoxClickedBeforeKeys(random);
    if (!clicked) {
      return {};
    }
    QLineEdit* box = controls.boxes.at(*clicked);
    const QPoint point = box->mapTo(&window, QPoint(soak::Pick(random, 0, box->width() - 1),
                                                    soak::Pick(random, 0, box->height() - 1)));
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, point);
    return "click on " + NameOf(box) + " at (" + std::to_string(point.x()) + "," +
           std::to_string(point.y()) + "), then ";
  }

  Event Type() {
    const soak::Alphabet alphabet = soak::RandomAlphabet(random);
    const std::u32string text =
        soak::RandomText(random, alphabet, soak::RandomTypedLength(random), false);
    const std::string clicked = ClickIntoTextBox();
    QWidget* target = KeyTarget(window);
    Event event{Action::Type,
                target,
                clicked + "type " + soak::AlphabetName(alphabet) + " " +
                    soak::Abbreviated(soak::Utf8(text)) + " into " + NameOf(target),
                {}};
    if (const auto* box = qobject_cast<QLineEdit*>(target)) {
      event.expectedBoxText = Inserted(*box, ToQString(text));
    }
    TypeText(target, text);
    return event;
  }

  Event Paste() {
    const soak::Alphabet alphabet = soak::RandomAlphabet(random);
    const int length = soak::RandomPasteLength(random);
    const std::u32string pasted = soak::RandomText(random, alphabet, length, true);
    const QString text = ToQString(pasted);
    const std::string clicked = ClickIntoTextBox();
    QWidget* target = KeyTarget(window);
    auto* box = qobject_cast<QLineEdit*>(target);
    const bool replace = soak::PastesOverAll(
        random, box != nullptr ? static_cast<std::size_t>(box->text().size()) : 0);
    Event event{Action::Paste,
                target,
                clicked + "paste " + soak::AlphabetName(alphabet) + " " +
                    soak::Abbreviated(soak::Utf8(pasted)) + " into " + NameOf(target) +
                    (replace ? " over all of it" : ""),
                {}};
    if (length == soak::kLongPasteLength && box != nullptr) {
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
        key = soak::Chance(random, 0.5) ? Qt::Key_Return : Qt::Key_Enter;
        break;
      case Action::Escape:
        key = Qt::Key_Escape;
        break;
      default:
        break;
    }
    Event event{
        action, target, std::string(soak::ActionName(action)) + " on " + NameOf(target), {}};
    if (const auto* box = qobject_cast<QLineEdit*>(target);
        box != nullptr && action == Action::Space) {
      event.expectedBoxText = Inserted(*box, QStringLiteral(" "));
    }
    QTest::keyClick(target, key, modifiers);
    return event;
  }

  Event Run() { return soak::Play(random, tally, *this); }

  // The window as a whole after any event.
  [[nodiscard]] std::string CheckWindow() const {
    if (!window.isVisible() || window.isMinimized()) {
      return "the window is no longer shown";
    }
    if (window.size() != kClientSize || window.geometry().size() != kClientSize) {
      return "the client area is " + std::to_string(window.width()) + " x " +
             std::to_string(window.height());
    }
    if (QApplication::activeModalWidget() != nullptr) {
      return "a modal box is still open";
    }
    if (QApplication::activeWindow() != &window) {
      return "the window is no longer the active one";
    }
    return {};
  }

  // Every control shows its field, and the caption is one of the two.
  [[nodiscard]] std::string CheckShown(const Fields& now) const {
    const std::array<const std::string*, 3> fields{&now.binary, &now.hex, &now.decimal};
    for (std::size_t index = 0; index < fields.size(); ++index) {
      const QLineEdit* box = controls.boxes.at(index);
      if (box->text() != QString::fromStdString(*fields.at(index))) {
        return NameOf(box) + " shows " + soak::Abbreviated(box->text().toStdString()) +
               " but its field holds " + soak::Abbreviated(*fields.at(index));
      }
    }
    for (int pin = 0; pin < kPinCount; ++pin) {
      const QCheckBox* box = controls.pins.at(static_cast<std::size_t>(pin));
      const bool set = now.pins.at(static_cast<std::size_t>(pin));
      if (box->checkState() != (set ? Qt::Checked : Qt::Unchecked)) {
        return NameOf(box) + " shows state " + std::to_string(static_cast<int>(box->checkState())) +
               " but P" + std::to_string(pin) + " is " + (set ? "1" : "0");
      }
    }
    if (controls.command3->text() != QString::fromStdString(now.caption)) {
      return "Command3 reads " + controls.command3->text().toStdString() +
             " but ToggleCaption is " + now.caption;
    }
    return soak::CheckCaption(now);
  }

  // Every box the program showed was one of its warnings, closed as a user
  // closes it, and explained by the fields.
  [[nodiscard]] static std::string CheckWarnings(const Fields& before, const Fields& now,
                                                 const MessageBoxWatcher& watcher) {
    if (watcher.otherModalWidgets != 0) {
      return "a modal widget that is no message box";
    }
    std::vector<std::string> messages;
    for (const SeenMessageBox& box : watcher.seen) {
      if (std::string problem = BoxProblem(box); !problem.empty()) {
        return problem;
      }
      messages.push_back(box.text.toStdString());
    }
    return soak::CheckWarnings(before, now, messages);
  }

  [[nodiscard]] std::string Check(const Event& event, const Fields& before,
                                  const MessageBoxWatcher& watcher) const {
    const std::size_t warnings = watcher.seen.size();
    std::string problem = CheckWindow();
    const Fields now = plinthar::testing::Snapshot(window.State());
    if (problem.empty()) {
      problem = CheckShown(now);
    }
    if (problem.empty()) {
      problem = CheckWarnings(before, now, watcher);
    }
    if (problem.empty()) {
      problem = operationProblem;
    }
    if (problem.empty() && IsPress(event)) {
      problem = soak::CheckPress(controls.PressOf(event.target), controls.PinOf(event.target),
                                 before, now, warnings);
    }
    if (problem.empty()) {
      problem = soak::CheckFocusKey(event.action, before, now, warnings);
    }
    if (problem.empty() && event.expectedBoxText) {
      const auto* box = qobject_cast<const QLineEdit*>(event.target);
      if (box->text() != *event.expectedBoxText) {
        problem = NameOf(box) + " holds " + soak::Abbreviated(box->text().toStdString()) +
                  " instead of " + soak::Abbreviated(event.expectedBoxText->toStdString());
      }
    }
    return problem;
  }

  void Count(const Event& event, const Fields& before, const std::vector<SeenMessageBox>& seen) {
    for (const SeenMessageBox& box : seen) {
      ++tally.warnings[box.text.toStdString()];
    }
    if (IsPress(event) && seen.empty()) {
      if (event.target == controls.command1) {
        ++tally.hexConversions;
        tally.longestConverted =
            std::max(tally.longestConverted, QString::fromStdString(before.hex).size());
      } else if (event.target == controls.command2) {
        ++tally.decimalConversions;
      }
    }
    // The boxes show the fields (checked), in the units the summary counts.
    for (const QLineEdit* box : controls.boxes) {
      tally.longestText = std::max(tally.longestText, box->text().size());
    }
  }

  // Each button and pin box reports its click to the window first, so this
  // runs once the operation that the click started has ended: a double click
  // or a run of Spaces is several operations, each checked on its own.
  void OperationEnded() {
    ++tally.operations;
    // Every operation writes each pin at most once, so a pin that changed
    // during it still differs from what it was when the last one ended.
    const Fields now = plinthar::testing::Snapshot(window.State());
    if (now.pins == pinsAtLastOperation) {
      return;
    }
    pinsAtLastOperation = now.pins;
    ++tally.pinChanges;
    if (operationProblem.empty()) {
      operationProblem = soak::CheckPinsDescribed(now);
    }
  }

  MainWindow& window;
  const Controls& controls;
  soak::Random& random;
  Tally tally;
  bool clipboardLost = false;
  std::string operationProblem;
  plinthar::testing::PinRow pinsAtLastOperation{};
};

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
    const std::optional<long long> seed =
        soak::EnvironmentNumber("PLINTHAR_SOAK_SEED", soak::kDefaultSeed);
    const std::optional<long long> events =
        soak::EnvironmentNumber("PLINTHAR_SOAK_EVENTS", soak::kDefaultEvents);
    QVERIFY2(seed && events,
             "PLINTHAR_SOAK_SEED and PLINTHAR_SOAK_EVENTS take a whole number from 0 up");
    soak::Random random(static_cast<soak::Random::result_type>(*seed));
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
          .at(static_cast<std::size_t>(soak::Pick(random, 0, 2)));
    });
    soak::RecentEvents recent;
    QElapsedTimer clock;
    clock.start();
    for (long long number = 1; number <= *events; ++number) {
      const Fields before = plinthar::testing::Snapshot(window.State());
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

      recent.Add(number, event.description);
      QVERIFY2(!soak.clipboardLost, "the clipboard did not keep the text to paste");
      const std::string problem = soak.Check(event, before, closer);
      if (!problem.empty()) {
        QFAIL(recent.Report(*seed, number, problem, before).c_str());
      }
      soak.Count(event, before, closer.seen);
    }

    const Tally& tally = soak.tally;
    qInfo("soak: seed %lld, %lld events in %.1f s, no finding", *seed, *events,
          static_cast<double>(clock.elapsed()) / 1000.0);
    qInfo("soak: events: %s", tally.ActionsText().c_str());
    qInfo("soak: %lld warnings closed%s", tally.WarningTotal(), tally.WarningsText().c_str());
    qInfo("soak: %lld operations, %lld of which changed a pin", tally.operations, tally.pinChanges);
    qInfo("soak: %lld pastes of %d characters into a text box; longest text %lld units",
          tally.longPastes, soak::kLongPasteLength, static_cast<long long>(tally.longestText));
    qInfo("soak: %lld hexadecimal conversions (longest input %lld units), %lld decimal conversions",
          tally.hexConversions, static_cast<long long>(tally.longestConverted),
          tally.decimalConversions);
  }
};

QTEST_MAIN(WindowSoakTest)
#include "window_soak_test.moc"
