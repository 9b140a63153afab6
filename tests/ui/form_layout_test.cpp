#include <QAbstractButton>
#include <QClipboard>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include "window_test_support.h"

using plinthar::MainWindow;
using plinthar::testing::Find;

namespace {

QString MissingPicture(const QTemporaryDir& dir) {
  return dir.filePath(QStringLiteral("LCD.BMP"));
}

// What the widget itself draws over the given rows, on a clear image.
QImage DrawnRows(QWidget& widget, int top, int rows) {
  QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  widget.render(&image, QPoint(), QRegion(0, top, widget.width(), rows), {});
  return image;
}

QStringList NamesOf(const QList<QWidget*>& widgets) {
  QStringList names;
  for (const QWidget* widget : widgets) {
    names << widget->objectName();
  }
  return names;
}

// The controls as the form was drawn, in creation order, in pixels at 96 dpi.
struct ExpectedControl {
  const char* name;
  const char* kind;
  const char* container;
  QRect geometry;
  const char* caption;
  qreal pointSize;
  Qt::Alignment alignment;  // horizontal; none for controls without text
  bool tabStop;
};

const std::vector<ExpectedControl>& ExpectedControls() {
  static const std::vector<ExpectedControl> controls{
      {"Text3", "QLineEdit", "二进制计算", {216, 8, 41, 25}, "", 12, Qt::AlignHCenter, true},
      {"Command1", "QPushButton", "二进制计算", {168, 216, 97, 33}, "十六进制转二制", 9, {}, true},
      {"Text2", "QLineEdit", "二进制计算", {216, 56, 41, 25}, "", 12, Qt::AlignHCenter, true},
      {"Command3", "QPushButton", "二进制计算", {8, 216, 49, 33}, "全选", 9, {}, true},
      {"Command2", "QPushButton", "二进制计算", {64, 216, 97, 33}, "十进制转二进制", 9, {}, true},
      {"Text1", "QLineEdit", "二进制计算", {144, 104, 113, 25}, "", 15.75, Qt::AlignRight, true},
      {"Frame1", "QFrame", "二进制计算", {8, 128, 257, 81}, "", 9, {}, false},
      {"Check1", "QCheckBox", "Frame1", {232, 32, 17, 25}, "", 9, {}, true},
      {"Check2", "QCheckBox", "Frame1", {200, 32, 17, 25}, "", 9, {}, true},
      {"Check3", "QCheckBox", "Frame1", {168, 32, 17, 25}, "", 9, {}, true},
      {"Check4", "QCheckBox", "Frame1", {136, 32, 17, 25}, "", 9, {}, true},
      {"Check5", "QCheckBox", "Frame1", {104, 32, 17, 25}, "", 9, {}, true},
      {"Check6", "QCheckBox", "Frame1", {72, 32, 17, 25}, "", 9, {}, true},
      {"Check7", "QCheckBox", "Frame1", {40, 32, 17, 25}, "", 9, {}, true},
      {"Check8", "QCheckBox", "Frame1", {8, 32, 17, 25}, "", 9, {}, true},
      {"Label9",
       "QLabel",
       "Frame1",
       {8, 56, 241, 17},
       "P7  P6  P5  P4  P3  P2  P1  P0",
       12,
       Qt::AlignLeft,
       false},
      {"Label8", "QLabel", "Frame1", {10, 16, 17, 17}, "DP", 9, Qt::AlignLeft, false},
      {"Label7", "QLabel", "Frame1", {44, 16, 9, 17}, "G", 9, Qt::AlignLeft, false},
      {"Label6", "QLabel", "Frame1", {76, 16, 9, 17}, "F", 9, Qt::AlignLeft, false},
      {"Label5", "QLabel", "Frame1", {108, 16, 9, 17}, "E", 9, Qt::AlignLeft, false},
      {"Label4", "QLabel", "Frame1", {140, 16, 9, 17}, "D", 9, Qt::AlignLeft, false},
      {"Label3", "QLabel", "Frame1", {172, 16, 9, 17}, "C", 9, Qt::AlignLeft, false},
      {"Label2", "QLabel", "Frame1", {204, 16, 9, 17}, "B", 9, Qt::AlignLeft, false},
      {"Label1", "QLabel", "Frame1", {237, 16, 9, 17}, "A", 9, Qt::AlignLeft, false},
      {"Picture1", "QLabel", "二进制计算", {24, 8, 105, 121}, "", 9, Qt::AlignLeft, true},
      {"Label11", "QLabel", "二进制计算", {144, 12, 65, 17}, "十制制数", 12, Qt::AlignLeft, false},
      {"Label10", "QLabel", "二进制计算", {144, 60, 65, 17}, "十六进制", 12, Qt::AlignLeft, false},
  };
  return controls;
}

QString TextOf(const QWidget& control) {
  if (const auto* box = qobject_cast<const QLineEdit*>(&control)) {
    return box->text();
  }
  if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
    return button->text();
  }
  if (const auto* label = qobject_cast<const QLabel*>(&control)) {
    return label->text();
  }
  return {};
}

Qt::Alignment HorizontalAlignmentOf(const QWidget& control) {
  if (const auto* box = qobject_cast<const QLineEdit*>(&control)) {
    return box->alignment() & Qt::AlignHorizontal_Mask;
  }
  if (const auto* label = qobject_cast<const QLabel*>(&control)) {
    return label->alignment() & Qt::AlignHorizontal_Mask;
  }
  return {};
}

}  // namespace

class FormLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void controls_data() {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < ExpectedControls().size(); ++i) {
      QTest::newRow(ExpectedControls()[i].name) << static_cast<int>(i);
    }
  }

  void controls() {
    QFETCH(int, row);
    const ExpectedControl& expected = ExpectedControls().at(static_cast<std::size_t>(row));
    QTemporaryDir dir;
    MainWindow window(MissingPicture(dir));

    const auto* control = Find<QWidget>(window, expected.name);
    QVERIFY(control != nullptr);
    QVERIFY2(control->inherits(expected.kind), control->metaObject()->className());
    QCOMPARE(control->parentWidget()->objectName(), QString::fromUtf8(expected.container));
    QCOMPARE(control->geometry(), expected.geometry);
    QCOMPARE(TextOf(*control), QString::fromUtf8(expected.caption));
    QCOMPARE(control->font().pointSizeF(), expected.pointSize);
    QCOMPARE(HorizontalAlignmentOf(*control), expected.alignment);
    QCOMPARE((control->focusPolicy() & Qt::TabFocus) != 0, expected.tabStop);
    if (const auto* box = qobject_cast<const QAbstractButton*>(control)) {
      QVERIFY(!box->isChecked());
    }
  }

  void controls_are_created_in_form_order() {
    QTemporaryDir dir;
    MainWindow window(MissingPicture(dir));
    QStringList expected;
    for (const ExpectedControl& control : ExpectedControls()) {
      expected << QString::fromUtf8(control.name);
    }
    // Depth first, children in creation order: the frame's pin row sits
    // between Text1 and Picture1, as the form creates it.
    QStringList created = NamesOf(window.findChildren<QWidget*>());
    created.removeIf([&](const QString& name) { return !expected.contains(name); });
    QCOMPARE(created, expected);
  }

  // A label skips drawing when a repaint misses its letters: each strip of
  // rows must come out as a plain label draws it.
  void labels_draw_as_plain_labels_data() {
    QTest::addColumn<QString>("name");
    for (int label = 1; label <= 11; ++label) {
      const QString name = QStringLiteral("Label%1").arg(label);
      QTest::newRow(qPrintable(name)) << name;
    }
  }

  void labels_draw_as_plain_labels() {
    QFETCH(QString, name);
    QTemporaryDir dir;
    MainWindow window(MissingPicture(dir));
    auto* label = Find<QLabel>(window, qPrintable(name));
    QLabel plain(label->text());
    plain.setFont(label->font());
    plain.setTextFormat(label->textFormat());
    plain.setAlignment(label->alignment());
    plain.resize(label->size());
    QVERIFY(DrawnRows(*label, 0, label->height()) !=
            QImage(label->size(), QImage::Format_ARGB32_Premultiplied));
    for (int rows = 1; rows <= 2; ++rows) {
      for (int top = 0; top + rows <= label->height(); ++top) {
        QCOMPARE(DrawnRows(*label, top, rows), DrawnRows(plain, top, rows));
      }
    }
  }

  void window_frame() {
    QTemporaryDir dir;
    MainWindow window(MissingPicture(dir));
    QCOMPARE(window.objectName(), QStringLiteral("二进制计算"));
    QVERIFY2(window.windowTitle().startsWith(QStringLiteral("Plinthar ")),
             qPrintable(window.windowTitle()));
    QVERIFY(window.windowTitle().size() > QStringLiteral("Plinthar ").size());
    QCOMPARE(window.windowFlags(), Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                       Qt::WindowCloseButtonHint |
                                       Qt::MSWindowsFixedSizeDialogHint);
    QCOMPARE(window.minimumSize(), QSize(274, 253));
    QCOMPARE(window.maximumSize(), QSize(274, 253));
    QVERIFY(window.findChildren<QMenuBar*>().isEmpty());
    QVERIFY(window.findChildren<QToolBar*>().isEmpty());
    QVERIFY(window.findChildren<QStatusBar*>().isEmpty());

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.geometry(), QRect(408, 293, 274, 253));
    window.resize(400, 400);
    QCOMPARE(window.size(), QSize(274, 253));
  }

  // Where the form's place and size fit the screen the window stands there;
  // where they do not (the offscreen screen with QT_SCALE_FACTOR 1.5 or 2),
  // it is moved just inside the available area.
  void window_opens_inside_the_screen() {
    QTemporaryDir dir;
    MainWindow window(MissingPicture(dir));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect area = window.screen()->availableGeometry();
    const QRect atFormPlace(408, 293, 274, 253);
    QVERIFY2(area.contains(window.geometry()), qPrintable(QStringLiteral("%1, %2 in %3 x %4")
                                                              .arg(window.x())
                                                              .arg(window.y())
                                                              .arg(area.width())
                                                              .arg(area.height())));
    if (area.contains(atFormPlace)) {
      QCOMPARE(window.geometry(), atFormPlace);
    } else {
      QCOMPARE(window.geometry().bottomRight(), area.bottomRight());
    }
  }

  void window_icon_has_both_sizes() {
    QTemporaryDir dir;
    MainWindow window(MissingPicture(dir));
    const QList<QSize> sizes = window.windowIcon().availableSizes();
    QVERIFY(sizes.contains(QSize(32, 32)));
    QVERIFY(sizes.contains(QSize(48, 48)));
  }

  // The fallback fonts must keep the form's 8 px half-width pitch, or the
  // pin names drift away from their boxes.
  void pin_names_stand_under_their_boxes_data() {
    QTest::addColumn<int>("pin");
    for (int pin = 7; pin >= 0; --pin) {
      QTest::newRow(qPrintable(QStringLiteral("P%1").arg(pin))) << pin;
    }
  }

  void pin_names_stand_under_their_boxes() {
    QFETCH(int, pin);
    QTemporaryDir dir;
    MainWindow window(MissingPicture(dir));
    const auto* names = Find<QLabel>(window, "Label9");
    const auto* box = Find<QWidget>(window, qPrintable(QStringLiteral("Check%1").arg(pin + 1)));
    QVERIFY(names != nullptr && box != nullptr);

    const QFontMetrics metrics(names->font());
    QCOMPARE(metrics.horizontalAdvance(QLatin1Char('P')), 8);
    const QString name = QStringLiteral("P%1").arg(pin);
    const qsizetype at = names->text().indexOf(name);
    QVERIFY(at >= 0);
    const int left = names->x() + metrics.horizontalAdvance(names->text().left(at));
    const int right = left + metrics.horizontalAdvance(name);
    QVERIFY2(left >= box->x() && right <= box->x() + box->width(),
             qPrintable(QStringLiteral("%1 spans %2..%3, its box %4..%5")
                            .arg(name)
                            .arg(left)
                            .arg(right)
                            .arg(box->x())
                            .arg(box->x() + box->width())));
  }

  void accessible_names_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("accessibleName");
    const QStringList segments{"A", "B", "C", "D", "E", "F", "G", "DP"};
    for (int pin = 0; pin < 8; ++pin) {
      const QString box = QStringLiteral("Check%1").arg(pin + 1);
      QTest::newRow(qPrintable(box))
          << box << QStringLiteral("P%1 %2").arg(pin).arg(segments.at(pin));
    }
    QTest::newRow("Text3") << "Text3" << QStringLiteral("十制制数");
    QTest::newRow("Text2") << "Text2" << QStringLiteral("十六进制");
    QTest::newRow("Text1") << "Text1" << QStringLiteral("二进制");
  }

  void accessible_names() {
    QFETCH(QString, control);
    QFETCH(QString, accessibleName);
    QTemporaryDir dir;
    MainWindow window(MissingPicture(dir));
    const auto* widget = Find<QWidget>(window, qPrintable(control));
    QVERIFY(widget != nullptr);
    QCOMPARE(widget->accessibleName(), accessibleName);
  }

  // Qt's line edits stop at 32767 characters unless told otherwise.
  void text_boxes_take_any_length_data() {
    QTest::addColumn<QString>("box");
    QTest::newRow("Text1") << "Text1";
    QTest::newRow("Text2") << "Text2";
    QTest::newRow("Text3") << "Text3";
  }

  void text_boxes_take_any_length() {
    QFETCH(QString, box);
    QTemporaryDir dir;
    MainWindow window(MissingPicture(dir));
    auto* edit = Find<QLineEdit>(window, qPrintable(box));
    QVERIFY(edit != nullptr);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    const QString text = QString(40000, QLatin1Char('0')) + QLatin1Char('1');
    QApplication::clipboard()->setText(text);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit->text().size(), text.size());
  }
};

QTEST_MAIN(FormLayoutTest)
#include "form_layout_test.moc"
