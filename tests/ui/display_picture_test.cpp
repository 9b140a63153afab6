#include <sys/stat.h>

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstdint>

#include "bitmap_files.h"
#include "display_picture.h"
#include "plinthar/form/picture_check.h"
#include "qt_window_test_support.h"

using plinthar::DecodeDisplayPicture;
using plinthar::LoadDisplayPicture;
using plinthar::MainWindow;
using plinthar::testing::DibHeader;
using plinthar::testing::Find;
using plinthar::testing::HeaderBytes;
using plinthar::testing::Stride;

namespace {

const QColor kTopRow = Qt::red;
const QColor kBottomRow = Qt::green;
const QColor kOtherRows = Qt::blue;

// The bytes that the check refuses are in tests/form/picture_check_test.cpp;
// the rows here are about what Qt shows and where the window reads.

// A complete, uncompressed bitmap with a red top row, a green bottom row
// and blue rows between (1 bit per pixel has no green: its bottom row is
// blue). Palettes are full (2, 16 or 256 entries) unless coloursUsed says
// how many entries there are.
QByteArray Bitmap(int width, int height, int bits, bool topDown = false, int coloursUsed = 0) {
  const int colours = bits > 8 ? 0 : coloursUsed != 0 ? coloursUsed : 1 << bits;
  const DibHeader header{.width = width,
                         .height = topDown ? -height : height,
                         .bits = static_cast<std::uint16_t>(bits),
                         .coloursUsed = static_cast<std::uint32_t>(coloursUsed),
                         .paletteEntries = static_cast<std::uint32_t>(colours)};
  const auto stride = static_cast<int>(Stride(header));
  QByteArray bytes = HeaderBytes(header);

  // Palette: 0 blue, 1 red, 2 green, the rest black (BGRX each).
  for (int i = 0; i < colours; ++i) {
    const QColor colour = i == 0 ? kOtherRows : i == 1 ? kTopRow : i == 2 ? kBottomRow : Qt::black;
    bytes.append(static_cast<char>(colour.blue()));
    bytes.append(static_cast<char>(colour.green()));
    bytes.append(static_cast<char>(colour.red()));
    bytes.append('\0');
  }
  for (int stored = 0; stored < height; ++stored) {
    const int y = topDown ? stored : height - 1 - stored;
    const int index = y == 0 ? 1 : (y == height - 1 && bits > 1) ? 2 : 0;
    const QColor colour = index == 1 ? kTopRow : index == 2 ? kBottomRow : kOtherRows;
    QByteArray row(stride, '\0');
    for (int x = 0; x < width; ++x) {
      switch (bits) {
        case 1:
          row[x / 8] = static_cast<char>(row[x / 8] | (index << (7 - x % 8)));
          break;
        case 4:
          row[x / 2] = static_cast<char>(row[x / 2] | (index << (x % 2 == 0 ? 4 : 0)));
          break;
        case 8:
          row[x] = static_cast<char>(index);
          break;
        default: {
          const qsizetype at = qsizetype{x} * (bits / 8);
          row[at] = static_cast<char>(colour.blue());
          row[at + 1] = static_cast<char>(colour.green());
          row[at + 2] = static_cast<char>(colour.red());
        }
      }
    }
    bytes.append(row);
  }
  return bytes;
}

QString WriteFile(const QTemporaryDir& dir, const QByteArray& bytes) {
  QString path = dir.filePath(QStringLiteral("LCD.BMP"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
    return {};
  }
  return path;
}

}  // namespace

class DisplayPictureTest : public QObject {
  Q_OBJECT

 private slots:
  void decodes_complete_bitmaps_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("greenBottom");
    QTest::newRow("8 bits, bottom-up") << Bitmap(5, 3, 8) << QSize(5, 3) << true;
    QTest::newRow("8 bits, top-down") << Bitmap(5, 3, 8, true) << QSize(5, 3) << true;
    QTest::newRow("4 bits, odd width") << Bitmap(3, 4, 4) << QSize(3, 4) << true;
    QTest::newRow("1 bit, padded rows") << Bitmap(9, 4, 1) << QSize(9, 4) << false;
    QTest::newRow("24 bits, padded rows") << Bitmap(7, 2, 24) << QSize(7, 2) << true;
    QTest::newRow("32 bits") << Bitmap(2, 5, 32) << QSize(2, 5) << true;
    QTest::newRow("8 bits, three-colour palette")
        << Bitmap(4, 3, 8, false, 3) << QSize(4, 3) << true;
    QTest::newRow("trailing bytes after the pixels")
        << Bitmap(4, 3, 8) + QByteArray(100, 'x') << QSize(4, 3) << true;
    QTest::newRow("the largest picture allowed")
        << Bitmap(1024, 1024, 1) << QSize(1024, 1024) << false;
  }

  void decodes_complete_bitmaps() {
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    QFETCH(bool, greenBottom);
    const QImage picture = DecodeDisplayPicture(bytes);
    QCOMPARE(picture.size(), size);
    QCOMPARE(picture.pixelColor(0, 0), kTopRow);
    QCOMPARE(picture.pixelColor(size.width() - 1, 0), kTopRow);
    QCOMPARE(picture.pixelColor(size.width() - 1, size.height() - 1),
             greenBottom ? kBottomRow : kOtherRows);
    if (size.height() > 2) {
      QCOMPARE(picture.pixelColor(0, 1), kOtherRows);
    }
  }

  void loads_only_small_regular_files_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("loads");
    QTest::newRow("picture") << "picture" << true;
    QTest::newRow("missing") << "missing" << false;
    QTest::newRow("empty") << "empty" << false;
    QTest::newRow("folder") << "folder" << false;
    QTest::newRow("named pipe") << "pipe" << false;
    QTest::newRow("picture padded past 4 MiB") << "oversized" << false;
  }

  void loads_only_small_regular_files() {
    QFETCH(QString, kind);
    QFETCH(bool, loads);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("LCD.BMP"));
    const QByteArray picture = Bitmap(5, 3, 8);
    if (kind == "picture") {
      QCOMPARE(WriteFile(dir, picture), path);
    } else if (kind == "empty") {
      QCOMPARE(WriteFile(dir, {}), path);
    } else if (kind == "folder") {
      QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("LCD.BMP")));
    } else if (kind == "pipe") {
      // Opening a pipe without a writer would block for ever.
      QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == "oversized") {
      QCOMPARE(WriteFile(dir, picture + QByteArray(static_cast<qsizetype>(
                                                       plinthar::form::kMaxPictureFileBytes),
                                                   '\0')),
               path);
    }
    QCOMPARE(!LoadDisplayPicture(path).isNull(), loads);
  }

  // The window starts and works whatever the file holds; a picture is shown
  // at its own size from the top-left corner, cut at the box's inner edges.
  void window_starts_with_any_file_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("shown");
    QTest::newRow("missing") << QByteArray() << QSize(0, 0);
    QTest::newRow("truncated") << Bitmap(40, 30, 24).chopped(100) << QSize(0, 0);
    QTest::newRow("not a picture") << QByteArray(4096, '\x7f') << QSize(0, 0);
    QTest::newRow("smaller than the box") << Bitmap(40, 30, 24) << QSize(40, 30);
    QTest::newRow("larger than the box") << Bitmap(300, 200, 8) << QSize(101, 117);
  }

  void shipped_picture_is_shown_whole() {
    const QString path = QStringLiteral(PLINTHAR_SHIPPED_PICTURE);
    const QImage picture = LoadDisplayPicture(path);
    QVERIFY(!picture.isNull());
    MainWindow window(path);
    const auto* box = Find<QLabel>(window, "Picture1");
    QVERIFY(box->contentsRect().size().boundedTo(picture.size()) == picture.size());
    QCOMPARE(box->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
             picture.convertToFormat(QImage::Format_RGB32));
  }

  void window_starts_with_any_file() {
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, shown);
    QTemporaryDir dir;
    const QString path =
        bytes.isEmpty() ? dir.filePath(QStringLiteral("LCD.BMP")) : WriteFile(dir, bytes);
    MainWindow window(path);
    const auto* picture = Find<QLabel>(window, "Picture1");
    QVERIFY(picture != nullptr);
    // Read before the window is ever shown.
    QVERIFY(!window.isVisible());
    QCOMPARE(picture->pixmap().size(), shown);
    if (!shown.isEmpty()) {
      const QImage image = picture->pixmap().toImage();
      QCOMPARE(image.pixelColor(0, 0), kTopRow);
      QCOMPARE(image.pixelColor(0, 1), kOtherRows);
      const QRect inside = picture->contentsRect();
      QVERIFY(inside.contains(QRect(inside.topLeft(), shown)));
    }

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* hex = Find<QLineEdit>(window, "Text2");
    hex->setFocus();
    QTest::keyClicks(hex, QStringLiteral("3F"));
    QTest::mouseClick(Find<QPushButton>(window, "Command1"), Qt::LeftButton);
    QCOMPARE(Find<QLineEdit>(window, "Text1")->text(), QStringLiteral("111111"));
  }
};

QTEST_MAIN(DisplayPictureTest)
#include "display_picture_test.moc"
