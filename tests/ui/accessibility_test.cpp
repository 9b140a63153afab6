#include <QAccessible>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include "announced_names.h"
#include "plinthar/form/form_table.h"
#include "qt_window_test_support.h"

using plinthar::MainWindow;
using plinthar::testing::AnnouncedNameOf;
using plinthar::testing::Find;

namespace {

// The role each kind of control must have, as AT-SPI passes it on: a control
// that fell back to Qt's generic Client would be a nameless "filler".
QAccessible::Role ExpectedRole(plinthar::form::ControlKind kind) {
  using plinthar::form::ControlKind;
  switch (kind) {
    case ControlKind::TextBox:
      return QAccessible::EditableText;
    case ControlKind::Button:
      return QAccessible::PushButton;
    case ControlKind::Frame:
      return QAccessible::Grouping;
    case ControlKind::CheckBox:
      return QAccessible::CheckBox;
    case ControlKind::Label:
      return QAccessible::StaticText;
    case ControlKind::PictureBox:
      break;
  }
  return QAccessible::Graphic;
}

// Without LCD.BMP Qt would call the empty picture box a label: the window
// must announce it as a picture all the same.
struct Form {
  Form() : window(dir.filePath(QStringLiteral("LCD.BMP"))) {}

  QTemporaryDir dir;
  MainWindow window;
};

// The names of the widgets behind the interface and every interface below it.
void CollectReachable(QAccessibleInterface& parent, QSet<QString>& names) {
  for (int i = 0; i < parent.childCount(); ++i) {
    QAccessibleInterface* child = parent.child(i);
    if (child == nullptr) {
      continue;
    }
    if (child->object() != nullptr) {
      names.insert(child->object()->objectName());
    }
    CollectReachable(*child, names);
  }
}

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT

 private slots:
  void window_is_a_window_named_with_its_title() {
    const Form form;
    QAccessibleInterface* window =
        QAccessible::queryAccessibleInterface(const_cast<MainWindow*>(&form.window));
    QVERIFY(window != nullptr);
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), form.window.windowTitle());
    QVERIFY(window->text(QAccessible::Name).startsWith(QStringLiteral("Plinthar ")));
  }

  void control_is_announced_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");
    for (const plinthar::form::ControlSpec* spec : plinthar::form::kControls) {
      const std::string_view name = AnnouncedNameOf(spec->name);
      QTest::newRow(spec->name) << QString::fromUtf8(spec->name)
                                << QString::fromUtf8(name.data(),
                                                     static_cast<qsizetype>(name.size()))
                                << static_cast<int>(ExpectedRole(spec->kind));
    }
  }

  void control_is_announced() {
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(int, role);
    QVERIFY2(!name.isEmpty(), "every control of the table has its announced name");
    const Form form;
    auto* widget = Find<QWidget>(form.window, qPrintable(control));
    QVERIFY(widget != nullptr);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(accessible != nullptr);
    QCOMPARE(accessible->text(QAccessible::Name), name);
    QCOMPARE(static_cast<int>(accessible->role()), role);
  }

  // A screen reader finds the controls by walking down from the window.
  void every_control_is_reachable_from_the_window() {
    Form form;
    QSet<QString> reached;
    CollectReachable(*QAccessible::queryAccessibleInterface(&form.window), reached);
    for (const plinthar::form::ControlSpec* spec : plinthar::form::kControls) {
      QVERIFY2(reached.contains(QString::fromUtf8(spec->name)), spec->name);
    }
  }

  // Command3 is announced by the caption it shows now, not the one it had.
  void toggle_button_is_announced_by_its_current_caption() {
    Form form;
    auto* toggle = Find<QPushButton>(form.window, "Command3");
    QVERIFY(toggle != nullptr);
    toggle->click();
    QCOMPARE(QAccessible::queryAccessibleInterface(toggle)->text(QAccessible::Name),
             QString::fromUtf8(plinthar::testing::kClearCaption));
  }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
