#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <array>
#include <cstdint>
#include <cstdlib>

#include "bitmap_files.h"
#include "main_window.h"
#include "qt_window_test_support.h"

// LCD.BMP as the tools that people draw it with write it: ImageMagick, in
// each of its three header versions, and Qt. Each file is checked to be the
// kind the row names, then shown by the window, which must show every pixel
// of it. The ImageMagick program comes from PLINTHAR_CONVERT.

using plinthar::MainWindow;
using plinthar::testing::Find;
using plinthar::testing::TopDown;

namespace {

constexpr int kWidth = 13;  // odd, so that every bit depth pads its rows
constexpr int kHeight = 7;

enum class Writer : std::uint8_t { ImageMagick, Qt };

// A test picture of `count` colours (at most 256) in a pattern that no
// mirror image matches, as an indexed image of the given format. Pure
// colours (each channel 0 or 255) survive the 5 and 6 bits of a 16-bit
// picture unchanged.
QImage Pattern(int count, bool pure, QImage::Format format = QImage::Format_Indexed8) {
  QList<QRgb> table;
  for (int index = 0; index < count; ++index) {
    table.append(
        pure ? qRgb(index & 1 ? 255 : 0, index & 2 ? 255 : 0, index & 4 ? 255 : 0)
             : qRgb((index * 53 + 20) & 0xFF, (index * 97 + 60) & 0xFF, (index * 29 + 140) & 0xFF));
  }
  QImage image(kWidth, kHeight, format);
  image.setColorTable(table);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const int i = y * kWidth + x;
      image.setPixel(x, y, static_cast<uint>((i * i * 7 + i / 3) % count));
    }
  }
  return image;
}

QImage TrueColour(const QImage& image) {
  return image.convertToFormat(QImage::Format_RGB32);
}

// Qt writes what the image holds: one bit, a palette of up to 16 or 256
// colours, or true colour.
QByteArray WrittenByQt(int colours, int bits) {
  const QImage pattern =
      Pattern(colours, false, bits == 1 ? QImage::Format_Mono : QImage::Format_Indexed8);
  const QImage image = bits > 8 ? TrueColour(pattern) : pattern;
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "BMP")) {
    return {};
  }
  return bytes;
}

QByteArray WrittenByImageMagick(const QImage& picture, const QStringList& arguments,
                                const QString& output) {
  const QTemporaryDir dir;
  const QString source = dir.filePath(QStringLiteral("source.png"));
  if (!picture.save(source, "PNG")) {
    return {};
  }
  QProcess convert;
  convert.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  convert.start(qEnvironmentVariable("PLINTHAR_CONVERT"),
                QStringList{source} + arguments + QStringList{output + QStringLiteral(":-")});
  if (!convert.waitForFinished(20000) || convert.exitCode() != 0) {
    return {};
  }
  return convert.readAllStandardOutput();
}

struct Kind {
  std::uint32_t infoSize;
  std::uint16_t bits;
  std::uint32_t compression;  // 0 none, 3 bit fields
  bool topDown;
  friend bool operator==(const Kind&, const Kind&) = default;
};

Kind KindOf(const QByteArray& bytes) {
  if (bytes.size() < 34) {
    return {};
  }
  const char* data = bytes.constData();
  return {qFromLittleEndian<std::uint32_t>(data + 14), qFromLittleEndian<std::uint16_t>(data + 28),
          qFromLittleEndian<std::uint32_t>(data + 30),
          qFromLittleEndian<std::int32_t>(data + 22) < 0};
}

// The first pixel whose channels differ by more than `tolerance`, or an
// empty text when none does.
QString FirstDifference(const QImage& shown, const QImage& expected, int tolerance) {
  if (shown.size() != expected.size()) {
    return QStringLiteral("%1 x %2 shown").arg(shown.width()).arg(shown.height());
  }
  for (int y = 0; y < expected.height(); ++y) {
    for (int x = 0; x < expected.width(); ++x) {
      const QRgb a = shown.pixel(x, y);
      const QRgb b = expected.pixel(x, y);
      if (std::abs(qRed(a) - qRed(b)) > tolerance || std::abs(qGreen(a) - qGreen(b)) > tolerance ||
          std::abs(qBlue(a) - qBlue(b)) > tolerance) {
        return QStringLiteral("(%1, %2) is #%3, expected #%4")
            .arg(x)
            .arg(y)
            .arg(a & 0xFFFFFFU, 6, 16, QLatin1Char('0'))
            .arg(b & 0xFFFFFFU, 6, 16, QLatin1Char('0'));
      }
    }
  }
  return {};
}

QString KindText(const Kind& kind) {
  return QStringLiteral("%1-byte header, %2 bits, compression %3%4")
      .arg(kind.infoSize)
      .arg(kind.bits)
      .arg(kind.compression)
      .arg(kind.topDown ? ", top-down" : "");
}

}  // namespace

Q_DECLARE_METATYPE(Writer)

class PictureFilesTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    // Else a picture upside down or mirrored would pass.
    for (const int count : {2, 8, 12, 40, kWidth * kHeight}) {
      const QImage pattern = TrueColour(Pattern(count, count == 8));
      QVERIFY(pattern != pattern.mirrored(false, true));
      QVERIFY(pattern != pattern.mirrored(true, false));
    }
  }

  void shown_as_written_data() {
    QTest::addColumn<Writer>("writer");
    QTest::addColumn<QStringList>("arguments");  // ImageMagick: options, then the output format
    QTest::addColumn<int>("colours");
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("infoSize");
    QTest::addColumn<int>("compression");
    QTest::addColumn<bool>("topDown");

    const auto magick = [](const char* name, QStringList arguments, int colours, int bits,
                           int infoSize, int compression, bool topDown = false) {
      QTest::newRow(name) << Writer::ImageMagick << arguments << colours << bits << infoSize
                          << compression << topDown;
    };
    const QString type = QStringLiteral("-type");
    // BMP3 writes a BITMAPINFOHEADER, BMP a BITMAPV5HEADER, or a
    // BITMAPV4HEADER when the picture names no rendering intent.
    const QStringList noIntent{QStringLiteral("-intent"), QStringLiteral("Undefined")};
    // Uncompressed: ImageMagick packs 8-bit rows with RLE8 by default, which
    // the program does not read.
    const QStringList indexed{type, QStringLiteral("palette"), QStringLiteral("-compress"),
                              QStringLiteral("None")};
    const QStringList trueColour{type, QStringLiteral("truecolor")};
    const QStringList alpha{QStringLiteral("-alpha"), QStringLiteral("on")};
    const QStringList rgb565 =
        trueColour + QStringList{QStringLiteral("-define"), QStringLiteral("bmp:subtype=RGB565")};
    const QStringList bmp3{QStringLiteral("BMP3")};
    const QStringList bmp{QStringLiteral("BMP")};
    magick("IM info 1-bit", indexed + bmp3, 2, 1, 40, 0);
    magick("IM info 4-bit", indexed + bmp3, 12, 4, 40, 0);
    magick("IM info 8-bit", indexed + bmp3, 40, 8, 40, 0);
    magick("IM info 24-bit", trueColour + bmp3, kWidth * kHeight, 24, 40, 0);
    magick("IM info 8-bit top-down", indexed + bmp3, 40, 8, 40, 0, true);
    magick("IM V4 24-bit", trueColour + noIntent + bmp, kWidth * kHeight, 24, 108, 0);
    magick("IM V4 16-bit bit fields", rgb565 + noIntent + bmp, 8, 16, 108, 3);
    magick("IM V4 32-bit bit fields", alpha + noIntent + bmp, kWidth * kHeight, 32, 108, 3);
    magick("IM V5 1-bit", indexed + bmp, 2, 1, 124, 0);
    magick("IM V5 4-bit", indexed + bmp, 12, 4, 124, 0);
    magick("IM V5 8-bit", indexed + bmp, 40, 8, 124, 0);
    magick("IM V5 24-bit", trueColour + bmp, kWidth * kHeight, 24, 124, 0);
    magick("IM V5 32-bit bit fields", alpha + bmp, kWidth * kHeight, 32, 124, 3);
    magick("IM V5 32-bit bit fields top-down", alpha + bmp, kWidth * kHeight, 32, 124, 3, true);

    const auto qt = [](const char* name, int colours, int bits, bool topDown = false) {
      QTest::newRow(name) << Writer::Qt << QStringList() << colours << bits << 40 << 0 << topDown;
    };
    qt("Qt 1-bit", 2, 1);
    qt("Qt 4-bit", 12, 4);
    qt("Qt 8-bit", 40, 8);
    qt("Qt 24-bit", kWidth * kHeight, 24);
    qt("Qt 24-bit top-down", kWidth * kHeight, 24, true);
  }

  void shown_as_written() {
    QFETCH(Writer, writer);
    QFETCH(QStringList, arguments);
    QFETCH(int, colours);
    QFETCH(int, bits);
    QFETCH(int, infoSize);
    QFETCH(int, compression);
    QFETCH(bool, topDown);
    const QImage picture = TrueColour(Pattern(colours, bits == 16));
    QByteArray bytes = writer == Writer::Qt
                           ? WrittenByQt(colours, bits)
                           : WrittenByImageMagick(picture, arguments.mid(0, arguments.size() - 1),
                                                  arguments.last());
    QVERIFY2(!bytes.isEmpty(), "the tool wrote nothing");
    if (topDown) {
      // No tool writes rows top-down; the tool's file turned so.
      bytes = TopDown(bytes);
    }
    // The row tests what it says it tests only if the tool wrote that kind.
    const Kind written = KindOf(bytes);
    const Kind named{static_cast<std::uint32_t>(infoSize), static_cast<std::uint16_t>(bits),
                     static_cast<std::uint32_t>(compression), topDown};
    QVERIFY2(written == named, qPrintable(KindText(written)));
    // fuzz/make_picture_corpus seeds the picture fuzzer with what the tools wrote.
    if (const QString seeds = qEnvironmentVariable("PLINTHAR_PICTURE_SEEDS"); !seeds.isEmpty()) {
      QFile seed(
          QDir(seeds).filePath(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-')));
      QVERIFY(seed.open(QIODevice::WriteOnly) && seed.write(bytes) == bytes.size());
    }

    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("LCD.BMP"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    const MainWindow window(path);
    const QImage shown = Find<QLabel>(window, "Picture1")->pixmap().toImage();
    QVERIFY2(!shown.isNull(), "the picture box is empty");
    // Qt widens 5 and 6 bits by shifting, so a full channel of a 16-bit
    // picture reads 248 or 252.
    const QString difference =
        FirstDifference(shown.convertToFormat(QImage::Format_RGB32), picture, bits == 16 ? 7 : 0);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
  }
};

QTEST_MAIN(PictureFilesTest)
#include "picture_files_test.moc"
