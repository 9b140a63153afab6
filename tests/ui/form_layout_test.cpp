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

#include <string_view>

#include "expected_form.h"
#include "qt_window_test_support.h"

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

using plinthar::testing::ExpectedControl;
using plinthar::testing::kExpectedControls;

const char* QtClassOf(plinthar::form::ControlKind kind) {
  switch (kind) {
    case plinthar::form::ControlKind::TextBox:
      return "QLineEdit";
    case plinthar::form::ControlKind::Button:
      return "QPushButton";
    case plinthar::form::ControlKind::Frame:
      return "QFrame";
    case plinthar::form::ControlKind::CheckBox:
      return "QCheckBox";
    case plinthar::form::ControlKind::Label:
    case plinthar::form::ControlKind::PictureBox:
      break;
  }
  return "QLabel";
}

// Only the text boxes and the labels (the picture box among them) align text.
Qt::Alignment ExpectedAlignment(const ExpectedControl& expected) {
  if (std::string_view(QtClassOf(expected.kind)) != "QLineEdit" &&
      std::string_view(QtClassOf(expected.kind)) != "QLabel") {
    return {};
  }
  switch (expected.alignment) {
    case plinthar::form::TextAlignment::Centre:
      return Qt::AlignHCenter;
    case plinthar::form::TextAlignment::Right:
      return Qt::AlignRight;
    case plinthar::form::TextAlignment::Left:
      break;
  }
  return Qt::AlignLeft;
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
    for (std::size_t i = 0; i < kExpectedControls.size(); ++i) {
      QTest::newRow(kExpectedControls.at(i).name) << static_cast<int>(i);
    }
  }

  void controls() {
    QFETCH(int, row);
    const ExpectedControl& expected = kExpectedControls.at(static_cast<std::size_t>(row));
    QTemporaryDir dir;
    MainWindow window(MissingPicture(dir));

    const auto* control = Find<QWidget>(window, expected.name);
    QVERIFY(control != nullptr);
    QVERIFY2(control->inherits(QtClassOf(expected.kind)), control->metaObject()->className());
    QCOMPARE(control->parentWidget()->objectName(), QString::fromUtf8(expected.container));
    QCOMPARE(control->geometry(),
             QRect(expected.left, expected.top, expected.width, expected.height));
    QCOMPARE(TextOf(*control), QString::fromUtf8(expected.caption));
    QCOMPARE(control->font().pointSizeF(), expected.pointSize);
    QCOMPARE(HorizontalAlignmentOf(*control), ExpectedAlignment(expected));
    QCOMPARE((control->focusPolicy() & Qt::TabFocus) != 0, expected.tabStop);
    if (const auto* box = qobject_cast<const QAbstractButton*>(control)) {
      QVERIFY(!box->isChecked());
    }
  }

  void controls_are_created_in_form_order() {
    QTemporaryDir dir;
    MainWindow window(MissingPicture(dir));
    QStringList expected;
    for (const ExpectedControl& control : kExpectedControls) {
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
    const QSize client(plinthar::testing::kExpectedClientWidth,
                       plinthar::testing::kExpectedClientHeight);
    QCOMPARE(window.minimumSize(), client);
    QCOMPARE(window.maximumSize(), client);
    QVERIFY(window.findChildren<QMenuBar*>().isEmpty());
    QVERIFY(window.findChildren<QToolBar*>().isEmpty());
    QVERIFY(window.findChildren<QStatusBar*>().isEmpty());

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.geometry(), QRect(QPoint(plinthar::testing::kExpectedClientLeft,
                                             plinthar::testing::kExpectedClientTop),
                                      client));
    window.resize(400, 400);
    QCOMPARE(window.size(), client);
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
    const QRect atFormPlace(
        plinthar::testing::kExpectedClientLeft, plinthar::testing::kExpectedClientTop,
        plinthar::testing::kExpectedClientWidth, plinthar::testing::kExpectedClientHeight);
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
