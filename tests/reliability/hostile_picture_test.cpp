#include <sys/fsuid.h>
#include <unistd.h>

#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <random>

#include "bitmap_files.h"
#include "main_window.h"

// Every kind of file that may lie where the program looks for LCD.BMP. For
// each, the window is built in this process to look at what the picture box
// shows and to run a conversion, and the real program is started beside the
// file to time its start-up and weigh its memory.

namespace {

using plinthar::MainWindow;
using plinthar::testing::DibHeader;
using plinthar::testing::HeaderBytes;
using plinthar::testing::Stride;

constexpr qint64 kStartupBudgetMs = 1000;
constexpr qint64 kMemoryBudgetKiB = qint64{100} * 1024;
constexpr qint64 kChildTimeoutMs = 20000;
constexpr qint64 kSeedLimit = qint64{1024} * 1024;
// The user nobody: reading as root ignores the permission bits.
constexpr uid_t kNobody = 65534;

// --- Writing bitmaps ----------------------------------------------------------

// A colour that differs from row to row and from column to column, so that
// a picture upside down, shifted or made of stale memory does not match.
QRgb PatternColour(int x, int y) {
  return qRgb((x * 7 + y * 13) & 0xFF, (x * 3 + 50) & 0xFF, (y * 5 + 100) & 0xFF);
}

// One stored row of a 24-bit picture in the pattern colours.
QByteArray PatternRow(const DibHeader& header, int y) {
  QByteArray row(Stride(header), '\0');
  for (int x = 0; x < header.width; ++x) {
    const QRgb colour = PatternColour(x, y);
    const qsizetype at = qsizetype{x} * 3;
    row[at] = static_cast<char>(qBlue(colour));
    row[at + 1] = static_cast<char>(qGreen(colour));
    row[at + 2] = static_cast<char>(qRed(colour));
  }
  return row;
}

// A complete 24-bit picture, written row by row so that a large one never
// sits in memory as a whole.
bool WritePatternBitmap(QIODevice& out, int width, int height, bool topDown) {
  const DibHeader header{.width = width, .height = topDown ? -height : height};
  if (out.write(HeaderBytes(header)) != 54) {
    return false;
  }
  for (int stored = 0; stored < height; ++stored) {
    const QByteArray row = PatternRow(header, topDown ? stored : height - 1 - stored);
    if (out.write(row) != row.size()) {
      return false;
    }
  }
  return true;
}

QByteArray PatternBitmap(int width, int height, bool topDown = false) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  WritePatternBitmap(buffer, width, height, topDown);
  return bytes;
}

QImage PatternImage(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.setPixel(x, y, PatternColour(x, y));
    }
  }
  return image;
}

// An 8-bit picture whose header promises 65,536 palette entries, all
// present in the file; the pixels use the first 256 of them.
QByteArray HugePaletteBitmap(int width, int height) {
  constexpr std::uint32_t kEntries = 65536;
  const DibHeader header{.width = width,
                         .height = height,
                         .bits = 8,
                         .coloursUsed = kEntries,
                         .paletteEntries = kEntries};
  QByteArray bytes = HeaderBytes(header);
  for (std::uint32_t i = 0; i < kEntries; ++i) {
    const QRgb colour = PatternColour(static_cast<int>(i % 256), 0);
    bytes.append(static_cast<char>(qBlue(colour)));
    bytes.append(static_cast<char>(qGreen(colour)));
    bytes.append(static_cast<char>(qRed(colour)));
    bytes.append('\0');
  }
  for (int stored = 0; stored < height; ++stored) {
    QByteArray row(Stride(header), '\0');
    for (int x = 0; x < width; ++x) {
      row[x] = static_cast<char>(x % 256);
    }
    bytes.append(row);
  }
  return bytes;
}

// A header for a picture far larger than the bytes that follow it.
QByteArray ClaimingHeader(std::int32_t width, std::int32_t height) {
  constexpr int kFollowing = 1024;
  QByteArray bytes =
      HeaderBytes({.width = width, .height = height, .declaredSize = 54 + kFollowing});
  bytes.append(QByteArray(kFollowing, '\x5A'));
  return bytes;
}

QByteArray RandomBytes(std::uint32_t seed, qsizetype size, const QByteArray& start = {}) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> byte(0, 255);
  QByteArray bytes = start;
  while (bytes.size() < size) {
    bytes.append(static_cast<char>(byte(random)));
  }
  return bytes;
}

QByteArray PngBytes() {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  PatternImage(8, 8).save(&buffer, "PNG");
  return bytes;
}

bool WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// --- The cases ----------------------------------------------------------------

enum class Outcome : std::uint8_t {
  Empty,          // the box must stay empty
  Picture,        // the box must show the picture
  PictureOrEmpty  // either, but a picture shown must be the right one
};

struct HostileFile {
  const char* name;
  std::function<bool(const QString& path)> make;
  Outcome outcome;
  QImage picture;  // what a shown picture must look like
  bool unreadable = false;
};

std::vector<HostileFile> HostileFiles() {
  const auto bytes = [](QByteArray content) {
    return
        [content = std::move(content)](const QString& path) { return WriteBytes(path, content); };
  };
  const QByteArray small = PatternBitmap(16, 16);
  constexpr qsizetype kRowBytes = qsizetype{16} * 3;
  const QByteArray truncated = small.left(small.size() - 5 * kRowBytes);  // five rows short
  // A writer that stopped early yet recorded the length it wrote: only the
  // pixel count gives the file away.
  QByteArray truncatedAndRelabelled = truncated;
  qToLittleEndian(static_cast<std::uint32_t>(truncated.size()), truncatedAndRelabelled.data() + 2);
  return {
      {"missing", [](const QString&) { return true; }, Outcome::Empty, {}},
      {"empty", bytes({}), Outcome::Empty, {}},
      {"a directory", [](const QString& path) { return QDir().mkdir(path); }, Outcome::Empty, {}},
      {"one byte", bytes("B"), Outcome::Empty, {}},
      {"truncated in the header", bytes(small.left(30)), Outcome::Empty, {}},
      {"truncated in the pixels", bytes(truncated), Outcome::Empty, {}},
      {"truncated in the pixels, size field cut too",
       bytes(truncatedAndRelabelled),
       Outcome::Empty,
       {}},
      {"random bytes", bytes(RandomBytes(7, 4096)), Outcome::Empty, {}},
      {"random bytes after BM", bytes(RandomBytes(11, 4096, "BM")), Outcome::Empty, {}},
      {"a PNG renamed", bytes(PngBytes()), Outcome::PictureOrEmpty, PatternImage(8, 8)},
      {"1 x 1", bytes(PatternBitmap(1, 1)), Outcome::Picture, PatternImage(1, 1)},
      {"claims 60000 x 60000", bytes(ClaimingHeader(60000, 60000)), Outcome::Empty, {}},
      {"0 x 0", bytes(ClaimingHeader(0, 0)), Outcome::Empty, {}},
      {"negative width", bytes(ClaimingHeader(-16, 16)), Outcome::Empty, {}},
      {"negative height, top-down", bytes(PatternBitmap(12, 9, true)), Outcome::Picture,
       PatternImage(12, 9)},
      {"negative height too large", bytes(ClaimingHeader(16, -60000)), Outcome::Empty, {}},
      {"negative height of -2^31",
       bytes(ClaimingHeader(16, std::numeric_limits<std::int32_t>::min())),
       Outcome::Empty,
       {}},
      {"palette of 65536 entries", bytes(HugePaletteBitmap(8, 4)), Outcome::PictureOrEmpty,
       [] {
         QImage image(8, 4, QImage::Format_RGB32);
         for (int y = 0; y < 4; ++y) {
           for (int x = 0; x < 8; ++x) {
             image.setPixel(x, y, PatternColour(x, 0));
           }
         }
         return image;
       }()},
      {"valid 5000 x 5000",
       [](const QString& path) {
         QFile file(path);
         return file.open(QIODevice::WriteOnly) && WritePatternBitmap(file, 5000, 5000, false);
       },
       Outcome::PictureOrEmpty,
       {}},
      {"no read permission",
       [small](const QString& path) {
         return WriteBytes(path, small) && QFile::setPermissions(path, QFileDevice::Permissions{});
       },
       Outcome::Empty,
       {},
       true},
  };
}

// --- The real program -----------------------------------------------------------

struct ProgramRun {
  qint64 startupMs = -1;
  qint64 peakKiB = -1;
  QString problem;
};

qint64 PeakMemoryKiB(qint64 pid) {
  QFile status(QStringLiteral("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) {
    return -1;
  }
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmHWM:")) {
      return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
  }
  return -1;
}

// Starts the program and waits until Qt reports the first flush of the whole
// window to the screen: by then the picture was read, the window built and
// shown, and its first frame painted. Qt's own painting log says so, which
// needs no hook in the program. The peak resident memory (VmHWM) is read
// once the program has been idle for a moment after that.
ProgramRun RunProgram(const QString& program, bool asNobody) {
  QProcess child;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  environment.insert(QStringLiteral("QT_FONT_DPI"), QStringLiteral("96"));
  environment.insert(QStringLiteral("QT_LOGGING_RULES"),
                     QStringLiteral("qt.widgets.painting=true"));
  child.setProcessEnvironment(environment);
  child.setProcessChannelMode(QProcess::MergedChannels);
  if (asNobody) {
    child.setChildProcessModifier([] {
      if (setgid(kNobody) != 0 || setuid(kNobody) != 0) {
        _exit(97);
      }
    });
  }

  ProgramRun run;
  QElapsedTimer clock;
  clock.start();
  child.start(program, {});
  const auto stop = qScopeGuard([&child] {
    child.terminate();
    if (!child.waitForFinished(5000)) {
      child.kill();
      child.waitForFinished(5000);
    }
  });
  if (!child.waitForStarted(static_cast<int>(kChildTimeoutMs))) {
    run.problem = QStringLiteral("the program did not start: ") + child.errorString();
    return run;
  }
  QByteArray output;
  const QByteArray form = QStringLiteral("name=\"二进制计算\"").toUtf8();
  const auto shown = [&output, &form] {
    return std::ranges::any_of(output.split('\n'), [&form](const QByteArray& line) {
      return line.contains("Flushing QRegion(0,0 274x253)") && line.contains(form);
    });
  };
  while (!shown()) {
    const qint64 left = kChildTimeoutMs - clock.elapsed();
    if (left <= 0 || !child.waitForReadyRead(static_cast<int>(left))) {
      output += child.readAll();
      run.problem = QStringLiteral("the window was never painted (exit code %1): %2")
                        .arg(child.exitCode())
                        .arg(QString::fromUtf8(output.right(2000)));
      return run;
    }
    output += child.readAll();
  }
  run.startupMs = clock.elapsed();
  QTest::qSleep(200);
  if (child.state() != QProcess::Running) {
    run.problem = QStringLiteral("the program ended by itself after start-up");
    return run;
  }
  run.peakKiB = PeakMemoryKiB(child.processId());
  return run;
}

// --- Reading without the privileges of root ----------------------------------

// Root reads any file whatever its permission bits say. Switching the
// filesystem user to nobody drops that override for this thread, so the
// window then meets the file as an ordinary user would.
class ReadingAsNobody {
 public:
  ReadingAsNobody() : previous_(static_cast<uid_t>(setfsuid(kNobody))) {}
  ReadingAsNobody(const ReadingAsNobody&) = delete;
  ReadingAsNobody& operator=(const ReadingAsNobody&) = delete;
  ReadingAsNobody(ReadingAsNobody&&) = delete;
  ReadingAsNobody& operator=(ReadingAsNobody&&) = delete;
  ~ReadingAsNobody() { setfsuid(previous_); }

 private:
  uid_t previous_;
};

bool CanRead(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly);
}

QString OutcomeText(const QPixmap& shown) {
  return shown.isNull() ? QStringLiteral("empty box")
                        : QStringLiteral("picture %1 x %2").arg(shown.width()).arg(shown.height());
}

}  // namespace

class HostilePictureTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(folder_.isValid());
    // The program reads LCD.BMP from its own folder, which it finds through
    // /proc/self/exe: a symbolic link would lead back to the build tree.
    program_ = folder_.filePath(QStringLiteral("plinthar"));
    QVERIFY(QFile::copy(QStringLiteral(PLINTHAR_PROGRAM), program_));
    // Open to all, so that the program can also run as nobody.
    const auto open = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                      QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                      QFileDevice::ExeOther;
    QVERIFY(QFile::setPermissions(folder_.path(), open));
    QVERIFY(QFile::setPermissions(program_, open));
    picture_ = folder_.filePath(QStringLiteral("LCD.BMP"));
  }

  void cleanup() {
    QFile::remove(picture_);
    QDir(picture_).removeRecursively();
  }

  void hostile_picture_data() {
    QTest::addColumn<int>("index");
    const std::vector<HostileFile> files = HostileFiles();
    for (std::size_t i = 0; i < files.size(); ++i) {
      QTest::newRow(files[i].name) << static_cast<int>(i);
    }
  }

  void hostile_picture() {
    QFETCH(int, index);
    const HostileFile file = HostileFiles().at(static_cast<std::size_t>(index));
    QVERIFY(file.make(picture_));
    // fuzz/make_picture_corpus seeds the picture fuzzer with the files small
    // enough to mutate.
    if (const QString seeds = qEnvironmentVariable("PLINTHAR_PICTURE_SEEDS");
        !seeds.isEmpty() && QFileInfo(picture_).isFile() &&
        QFileInfo(picture_).size() < kSeedLimit) {
      const QString seed = QDir(seeds).filePath(QStringLiteral("hostile-") +
                                                QString::fromLatin1(file.name).replace(' ', '-'));
      QFile::remove(seed);
      QVERIFY(QFile::copy(picture_, seed));
    }

    bool asNobody = false;
    if (file.unreadable && CanRead(picture_)) {
      const ReadingAsNobody nobody;
      if (CanRead(picture_)) {
        QSKIP("neither the permission bits nor reading as nobody stop this process from reading");
      }
      asNobody = true;
    }

    // In this process: what the box shows, and a conversion.
    QElapsedTimer clock;
    clock.start();
    std::optional<MainWindow> window;
    if (asNobody) {
      const ReadingAsNobody nobody;
      window.emplace(picture_);
    } else {
      window.emplace(picture_);
    }
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(&*window));
    const qint64 inProcessMs = clock.elapsed();

    const auto* box = window->findChild<QLabel*>(QStringLiteral("Picture1"));
    QVERIFY(box != nullptr);
    const QPixmap shown = box->pixmap();
    switch (file.outcome) {
      case Outcome::Empty:
        QVERIFY2(shown.isNull(), qPrintable(OutcomeText(shown)));
        break;
      case Outcome::Picture:
        QVERIFY2(!shown.isNull(), "the picture is missing");
        break;
      case Outcome::PictureOrEmpty:
        break;
    }
    if (!shown.isNull()) {
      // Clipped at the box's inside, never scaled.
      const QSize inside = box->contentsRect().size();
      const QImage expected =
          file.picture.isNull()
              ? PatternImage(std::min(inside.width(), 5000), std::min(inside.height(), 5000))
              : file.picture.copy(QRect(QPoint(0, 0), inside).intersected(file.picture.rect()));
      QCOMPARE(shown.size(), expected.size());
      QCOMPARE(shown.toImage().convertToFormat(QImage::Format_RGB32), expected);
    }

    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&*window));
    auto* hex = window->findChild<QLineEdit*>(QStringLiteral("Text2"));
    QTest::keyClicks(hex, QStringLiteral("3F"));
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    const QStringList texts{window->findChild<QLineEdit*>(QStringLiteral("Text1"))->text(),
                            hex->text(),
                            window->findChild<QLineEdit*>(QStringLiteral("Text3"))->text()};
    QCOMPARE(texts, QStringList({"111111", "0x3F", "63"}));
    for (int pin = 0; pin < plinthar::kPinCount; ++pin) {
      QCOMPARE(window->findChild<QCheckBox*>(QStringLiteral("Check%1").arg(pin + 1))->isChecked(),
               pin < 6);
    }
    window.reset();

    // The real program beside the file.
    const ProgramRun run = RunProgram(program_, asNobody);
    QVERIFY2(run.problem.isEmpty(), qPrintable(run.problem));
    qInfo("%s: %s; start-up %lld ms (window in this process %lld ms); peak memory %.1f MB%s",
          file.name, qPrintable(OutcomeText(shown)), run.startupMs, inProcessMs,
          static_cast<double>(run.peakKiB) / 1024.0, asNobody ? "; read as nobody" : "");
    QVERIFY2(run.startupMs < kStartupBudgetMs, qPrintable(QString::number(run.startupMs)));
    QVERIFY2(run.peakKiB > 0 && run.peakKiB < kMemoryBudgetKiB,
             qPrintable(QString::number(run.peakKiB)));
  }

  // moc wants the data apart from the slots.
 private:  // NOLINT(readability-redundant-access-specifiers)
  QTemporaryDir folder_;
  QString program_;
  QString picture_;
};

QTEST_MAIN(HostilePictureTest)
#include "hostile_picture_test.moc"
