#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>

#include "form_operations.h"
#include "qt_window_test_support.h"
#include "reference_readings.h"

using plinthar::MainWindow;
using plinthar::testing::Find;
using plinthar::testing::MessageBoxWatcher;
using plinthar::testing::PinDisplays;
using plinthar::testing::PinRow;
using plinthar::testing::ShownTextCounter;
namespace operations = plinthar::testing;

namespace {

// A shown, active window without a picture, and the controls the tests use.
struct Form {
  Form() : window(dir.filePath(QStringLiteral("LCD.BMP"))), shown(window) {
    window.show();
    // Xvfb without a window manager activates nothing by itself.
    window.activateWindow();
    active = QTest::qWaitForWindowActive(&window);
  }

  [[nodiscard]] QLineEdit* Text(const char* name) const { return Find<QLineEdit>(window, name); }
  [[nodiscard]] QPushButton* Button(const char* name) const {
    return Find<QPushButton>(window, name);
  }
  [[nodiscard]] QCheckBox* Pin(int pin) const {
    return Find<QCheckBox>(window, qPrintable(QStringLiteral("Check%1").arg(pin + 1)));
  }
  // The pins P7 … P0 as ticked on screen, P0 in bit 0.
  [[nodiscard]] int ShownPins() const {
    int pins = 0;
    for (int pin = 0; pin < 8; ++pin) {
      if (Pin(pin)->isChecked()) {
        pins |= 1 << pin;
      }
    }
    return pins;
  }
  [[nodiscard]] QStringList Texts() const {
    return {Text("Text1")->text(), Text("Text2")->text(), Text("Text3")->text()};
  }
  void Type(const char* box, const QString& text) const {
    QLineEdit* edit = Text(box);
    edit->setFocus();
    QTest::keyClicks(edit, text);
  }
  void Erase(const char* box) const {
    QLineEdit* edit = Text(box);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
  }

  // Each box whose text an operation changed is shown once, with the final
  // text; a box whose text ends as it was is not written at all.
  void VerifyEachChangedBoxShownOnce(const QStringList& before) const {
    const QStringList after = Texts();
    const char* const boxes[] = {"Text1", "Text2", "Text3"};
    for (int i = 0; i < 3; ++i) {
      QCOMPARE(shown.Of(boxes[i]), before.at(i) == after.at(i) ? 0 : 1);
    }
  }

  QTemporaryDir dir;
  MainWindow window;
  ShownTextCounter shown;
  bool active = false;
};

// The three texts that describe pins P7 … P0 given as the bits of a number.
QStringList PinTexts(int pins) {
  PinRow row{};
  for (int pin = 0; pin < 8; ++pin) {
    row[static_cast<std::size_t>(pin)] = (pins >> pin & 1) != 0;
  }
  const plinthar::testing::Displays texts = PinDisplays(row);
  return {QString::fromStdString(texts.binary), QString::fromStdString(texts.hex),
          QString::fromStdString(texts.decimal)};
}

QStringList Strings(const operations::BoxTexts& texts) {
  return {QString::fromUtf8(texts.binary), QString::fromUtf8(texts.hex),
          QString::fromUtf8(texts.decimal)};
}

QPoint IndicatorCentre(QCheckBox& box) {
  QStyleOptionButton option;
  option.initFrom(&box);
  return box.style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, &box).center();
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opens_with_focus_on_the_picture_and_tabs_in_form_order() {
    Form form;
    QVERIFY(form.active);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Picture1"));

    QStringList cycle;
    for (const char* name : operations::kTabCycle) {
      cycle << QString::fromUtf8(name);
    }
    QStringList forward;
    for (qsizetype i = 0; i < cycle.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      forward << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(forward, cycle);

    QStringList backward;
    for (qsizetype i = 0; i < cycle.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
      backward.prepend(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(backward, QStringList(cycle.mid(cycle.size() - 1) + cycle.first(cycle.size() - 1)));
  }

  void typing_converts_nothing() {
    Form form;
    QVERIFY(form.active);
    form.Type("Text2", QStringLiteral("3F"));
    form.Type("Text3", QStringLiteral("200"));
    form.Type("Text1", QStringLiteral("101"));
    QCOMPARE(form.Texts(), QStringList({"101", "3F", "200"}));
    QCOMPARE(form.ShownPins(), 0);
    // Typed text is stored, never written back into the box it came from.
    QCOMPARE(form.shown.Of("Text1") + form.shown.Of("Text2") + form.shown.Of("Text3"), 0);
  }

  // The window must not write a text back while the user types into it: that
  // would throw the cursor to the end of the box.
  void typing_in_the_middle_keeps_the_cursor() {
    Form form;
    QVERIFY(form.active);
    form.Type("Text2", QStringLiteral("3F"));
    QTest::keyClick(form.Text("Text2"), Qt::Key_Home);
    QTest::keyClicks(form.Text("Text2"), QStringLiteral("ab"));
    QCOMPARE(form.Text("Text2")->text(), QStringLiteral("ab3F"));
  }

  // 0200 on pins that already show 200: the conversion leaves the decimal box
  // as typed, so the user's cursor in it stays where it was.
  void an_operation_that_keeps_a_box_text_keeps_its_cursor() {
    Form form;
    QVERIFY(form.active);
    for (const int pin : {7, 6, 3}) {
      QTest::mouseClick(form.Pin(pin), Qt::LeftButton);
    }
    form.Erase("Text3");
    form.Type("Text3", QStringLiteral("0200"));
    QLineEdit* decimal = form.Text("Text3");
    decimal->setCursorPosition(1);
    const QStringList before = form.Texts();
    form.shown.Reset();

    QTest::mouseClick(form.Button("Command2"), Qt::LeftButton);
    QCOMPARE(form.Texts(), QStringList({"11001000", "0xC8", "0200"}));
    form.VerifyEachChangedBoxShownOnce(before);
    QCOMPARE(decimal->cursorPosition(), 1);
  }

  void enter_and_escape_press_nothing_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("key");
    for (const char* box : {"Text1", "Text2", "Text3"}) {
      QTest::newRow(qPrintable(QStringLiteral("%1 Return").arg(box))) << box << int{Qt::Key_Return};
      QTest::newRow(qPrintable(QStringLiteral("%1 Enter").arg(box))) << box << int{Qt::Key_Enter};
      QTest::newRow(qPrintable(QStringLiteral("%1 Escape").arg(box))) << box << int{Qt::Key_Escape};
    }
  }

  void enter_and_escape_press_nothing() {
    QFETCH(QString, box);
    QFETCH(int, key);
    Form form;
    QVERIFY(form.active);
    form.Type("Text2", QStringLiteral("3F"));
    form.Type("Text3", QStringLiteral("200"));
    MessageBoxWatcher watcher;
    QLineEdit* edit = form.Text(qPrintable(box));
    edit->setFocus();
    QTest::keyClick(edit, static_cast<Qt::Key>(key));
    QTest::keyClick(&form.window, static_cast<Qt::Key>(key));
    QApplication::processEvents();
    QVERIFY(form.window.isVisible());
    QCOMPARE(form.Texts(), QStringList({"", "3F", "200"}));
    QCOMPARE(form.ShownPins(), 0);
    QVERIFY(watcher.seen.empty());
  }

  void empty_input_warns_and_changes_nothing_data() {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < operations::kEmptyInputs.size(); ++i) {
      QTest::newRow(operations::kEmptyInputs.at(i).name) << static_cast<int>(i);
    }
  }

  void empty_input_warns_and_changes_nothing() {
    QFETCH(int, row);
    const operations::EmptyInputRow& input =
        operations::kEmptyInputs.at(static_cast<std::size_t>(row));
    Form form;
    QVERIFY(form.active);
    QTest::mouseClick(form.Pin(5), Qt::LeftButton);
    form.Erase(input.erased);
    form.Type("Text1", QStringLiteral("1"));
    const QStringList before = form.Texts();
    QCOMPARE(before, Strings(input.before));

    MessageBoxWatcher watcher;
    form.shown.Reset();
    QTest::mouseClick(form.Button(input.button), Qt::LeftButton);
    form.VerifyEachChangedBoxShownOnce(before);  // none changed, so none is written
    QCOMPARE(watcher.seen.size(), std::size_t{1});
    const auto& seen = watcher.seen.front();
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QCOMPARE(seen.title, QString::fromUtf8(operations::kWarningTitle));
    QCOMPARE(seen.text, QString::fromUtf8(input.message));
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(seen.buttonCount, 1);
    QCOMPARE(seen.modality, Qt::ApplicationModal);
    QVERIFY(!seen.stayedOpen);
    QCOMPARE(watcher.otherModalWidgets, 0);
    QCOMPARE(form.Texts(), before);
    QCOMPARE(form.ShownPins(), 1 << 5);
  }

  // Qt's caption-less check box reacts only on its 13 px indicator; the
  // whole box is the target here, and each click runs ReadPins once.
  void pin_clicks_anywhere_in_the_box_data() {
    QTest::addColumn<int>("pin");
    QTest::addColumn<QString>("where");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("P0 indicator") << 0 << "indicator" << QStringList{"1", "0x1", "1"};
    QTest::newRow("P1 centre") << 1 << "centre" << QStringList{"10", "0x2", "2"};
    QTest::newRow("P3 top-left corner") << 3 << "top-left" << QStringList{"1000", "0x8", "8"};
    QTest::newRow("P6 right edge") << 6 << "right" << QStringList{"1000000", "0x40", "64"};
    QTest::newRow("P7 bottom-right corner")
        << 7 << "bottom-right" << QStringList{"10000000", "0x80", "128"};
  }

  void pin_clicks_anywhere_in_the_box() {
    QFETCH(int, pin);
    QFETCH(QString, where);
    QFETCH(QStringList, texts);
    Form form;
    QVERIFY(form.active);
    QCheckBox* box = form.Pin(pin);
    const QRect area = box->rect();
    const QPoint point = where == "indicator"  ? IndicatorCentre(*box)
                         : where == "centre"   ? area.center()
                         : where == "top-left" ? area.topLeft()
                         : where == "right"    ? QPoint(area.right(), area.center().y())
                                               : area.bottomRight();

    QTest::mouseClick(box, Qt::LeftButton, {}, point);
    QCOMPARE(form.ShownPins(), 1 << pin);
    QCOMPARE(form.Texts(), texts);
    form.VerifyEachChangedBoxShownOnce({"", "", ""});

    form.shown.Reset();
    QTest::mouseClick(box, Qt::LeftButton, {}, point);
    QCOMPARE(form.ShownPins(), 0);
    QCOMPARE(form.Texts(), QStringList({"0", "0x0", "0"}));
    form.VerifyEachChangedBoxShownOnce(texts);
  }

  // Every box by its name: CheckN flips pin N-1 and no other, from all pins
  // clear and from a mixed row, and the click is handled once.
  void each_box_flips_its_own_pin_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("before");
    for (int box = 1; box <= 8; ++box) {
      QTest::addRow("Check%d, all clear", box) << box << 0;
      QTest::addRow("Check%d, A5", box) << box << 0xA5;
    }
  }

  void each_box_flips_its_own_pin() {
    QFETCH(int, box);
    QFETCH(int, before);
    Form form;
    QVERIFY(form.active);
    if (before != 0) {
      // Set by a conversion, so that no box's handling is used to get there.
      form.Type("Text3", QString::number(before));
      QTest::mouseClick(form.Button("Command2"), Qt::LeftButton);
      QCOMPARE(form.ShownPins(), before);
    }
    const QStringList texts = form.Texts();
    form.shown.Reset();
    auto* check = Find<QCheckBox>(form.window, qPrintable(QStringLiteral("Check%1").arg(box)));
    QTest::mouseClick(check, Qt::LeftButton, {}, IndicatorCentre(*check));
    const int after = before ^ (1 << (box - 1));
    QCOMPARE(form.ShownPins(), after);
    QCOMPARE(form.Texts(), PinTexts(after));
    form.VerifyEachChangedBoxShownOnce(texts);
  }

  void pin_toggles_from_the_keyboard() {
    Form form;
    QVERIFY(form.active);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form.Pin(7));
    QTest::keyClick(form.Pin(7), Qt::Key_Space);
    QCOMPARE(form.ShownPins(), 1 << 7);
    QCOMPARE(form.Texts(), QStringList({"10000000", "0x80", "128"}));
    form.VerifyEachChangedBoxShownOnce({"", "", ""});
  }

  // A conversion end to end through the buttons.
  void conversions_data() {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < operations::kConversions.size(); ++i) {
      QTest::newRow(operations::kConversions.at(i).name) << static_cast<int>(i);
    }
  }

  void conversions() {
    QFETCH(int, row);
    const operations::ConversionRow& conversion =
        operations::kConversions.at(static_cast<std::size_t>(row));
    Form form;
    QVERIFY(form.active);
    form.Type(conversion.box, QString::fromUtf8(conversion.input));
    const QStringList before = form.Texts();
    MessageBoxWatcher watcher;
    QTest::mouseClick(form.Button(conversion.button), Qt::LeftButton);
    QVERIFY(watcher.seen.empty());
    QCOMPARE(form.Texts(), Strings(conversion.texts));
    QCOMPARE(form.ShownPins(), conversion.pins);
    form.VerifyEachChangedBoxShownOnce(before);
  }

  void select_all_then_clear() {
    Form form;
    QVERIFY(form.active);
    QPushButton* toggle = form.Button("Command3");
    const QRect geometry = toggle->geometry();

    QTest::mouseClick(toggle, Qt::LeftButton);
    QCOMPARE(toggle->text(), QString::fromUtf8(operations::kClearCaption));
    QCOMPARE(form.ShownPins(), 0xFF);
    QCOMPARE(form.Texts(), Strings(operations::kAllSelected));
    form.VerifyEachChangedBoxShownOnce({"", "", ""});
    QCOMPARE(toggle->geometry(), geometry);

    QTest::mouseClick(toggle, Qt::LeftButton);
    QCOMPARE(toggle->text(), QString::fromUtf8(operations::kSelectAllCaption));
    QCOMPARE(form.ShownPins(), 0);
    QCOMPARE(form.Texts(), Strings(operations::kCleared));
    QCOMPARE(toggle->geometry(), geometry);
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
