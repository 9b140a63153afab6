#include <QByteArray>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QScopeGuard>
#include <QString>
#include <QTest>

#include "plinthar/form/form_table.h"
#include "plinthar/form/screen_units.h"

// The real program, started as a user starts it, on an X server of its own:
// what its picture box shows on the screen must be LCD.BMP from the
// program's folder, pixel for pixel. The program to start comes from
// PLINTHAR_PROGRAM (the build tree's or an installed one), the picture it
// must show from PLINTHAR_PICTURE; the tools from the variables below.

namespace {

constexpr int kTimeoutMs = 20000;
// The first frame is drawn soon after the window is mapped, slower under
// the sanitizers.
constexpr int kPaintTimeoutMs = 10000;
// The picture box's sunken border, inside which the picture is drawn.
constexpr int kPictureBorder = 2;

QString Setting(const char* name) {
  return qEnvironmentVariable(name);
}

void Stop(QProcess& process) {
  if (process.state() == QProcess::NotRunning) {
    return;
  }
  process.terminate();
  if (!process.waitForFinished(5000)) {
    process.kill();
    process.waitForFinished(5000);
  }
}

// Runs a tool to its end and gives its output, or nothing when it fails.
QByteArray Output(const QString& program, const QStringList& arguments,
                  const QProcessEnvironment& environment, int timeoutMs) {
  QProcess tool;
  tool.setProcessEnvironment(environment);
  tool.start(program, arguments);
  if (!tool.waitForFinished(timeoutMs) || tool.exitStatus() != QProcess::NormalExit ||
      tool.exitCode() != 0) {
    Stop(tool);
    return {};
  }
  return tool.readAllStandardOutput();
}

// How many pixels of the expected picture differ from the screen's, and the
// first that does.
struct Difference {
  qint64 count = 0;
  QString first;
};

Difference Compare(const QImage& screen, QPoint origin, const QImage& expected) {
  if (!screen.rect().contains(QRect(origin, expected.size()))) {
    return {.count = qint64{expected.width()} * expected.height(),
            .first = QStringLiteral("the window is smaller than the form")};
  }
  Difference difference;
  for (int y = 0; y < expected.height(); ++y) {
    for (int x = 0; x < expected.width(); ++x) {
      const QRgb shown = screen.pixel(origin + QPoint(x, y)) | 0xFF000000U;
      if (shown != expected.pixel(x, y) && difference.count++ == 0) {
        difference.first = QStringLiteral("(%1, %2) is #%3, expected #%4")
                               .arg(x)
                               .arg(y)
                               .arg(shown & 0xFFFFFFU, 6, 16, QLatin1Char('0'))
                               .arg(expected.pixel(x, y) & 0xFFFFFFU, 6, 16, QLatin1Char('0'));
      }
    }
  }
  return difference;
}

}  // namespace

class ProgramPictureTest : public QObject {
  Q_OBJECT

 private slots:
  void shows_lcd_bmp_from_its_own_folder() {
    const QString program = Setting("PLINTHAR_PROGRAM");
    QVERIFY2(!program.isEmpty(), "PLINTHAR_PROGRAM is not set");
    QImage expected(Setting("PLINTHAR_PICTURE"));
    QVERIFY2(!expected.isNull(), "PLINTHAR_PICTURE is no picture");
    expected = expected.convertToFormat(QImage::Format_RGB32);

    // An X server of our own, on whichever display is free (it names it on
    // its standard output), at 24 bits so that every colour arrives intact.
    QProcess server;
    server.start(Setting("PLINTHAR_XVFB"),
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                  QStringLiteral("0"), QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                  QStringLiteral("tcp")});
    const auto stopServer = qScopeGuard([&server] { Stop(server); });
    QVERIFY2(server.waitForStarted(kTimeoutMs), qPrintable(server.errorString()));
    QByteArray display;
    while (!display.contains('\n') && server.waitForReadyRead(kTimeoutMs)) {
      display += server.readAllStandardOutput();
    }
    QVERIFY2(display.contains('\n'), "Xvfb named no display");

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":") + display.trimmed());
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("QT_FONT_DPI"), QStringLiteral("96"));

    // Started from the working directory that ctest gives it, which holds no
    // LCD.BMP: only the program's own folder does.
    QProcess plinthar;
    plinthar.setProcessEnvironment(environment);
    plinthar.setProcessChannelMode(QProcess::ForwardedChannels);
    plinthar.start(program, {});
    const auto stopProgram = qScopeGuard([&plinthar] { Stop(plinthar); });
    QVERIFY2(plinthar.waitForStarted(kTimeoutMs), qPrintable(plinthar.errorString()));

    const QByteArray window =
        Output(Setting("PLINTHAR_XDOTOOL"),
               {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                QStringLiteral("--pid"), QString::number(plinthar.processId())},
               environment, kTimeoutMs)
            .split('\n')
            .value(0)
            .trimmed();
    QVERIFY2(!window.isEmpty(), "the program showed no window");

    // Where the picture lies in the window's client area: the box's corner
    // from the form, then its border.
    const QPoint origin(
        plinthar::form::TwipsToPixels(plinthar::form::Picture1.left) + kPictureBorder,
        plinthar::form::TwipsToPixels(plinthar::form::Picture1.top) + kPictureBorder);
    const QSize inside(
        plinthar::form::TwipsToPixels(plinthar::form::Picture1.width) - 2 * kPictureBorder,
        plinthar::form::TwipsToPixels(plinthar::form::Picture1.height) - 2 * kPictureBorder);
    // Shown at its own size from the corner, cut at the border.
    expected = expected.copy(QRect(QPoint(0, 0), inside).intersected(expected.rect()));

    // The window is mapped before its first frame is drawn: look until the
    // picture appears or the time is up.
    QElapsedTimer clock;
    clock.start();
    Difference difference{.count = -1, .first = QStringLiteral("no grab of the window")};
    while (clock.elapsed() < kPaintTimeoutMs) {
      const QImage screen =
          QImage::fromData(Output(Setting("PLINTHAR_IMPORT"),
                                  {QStringLiteral("-window"), QString::fromLatin1(window),
                                   QStringLiteral("-silent"), QStringLiteral("png:-")},
                                  environment, kTimeoutMs),
                           "PNG");
      if (!screen.isNull()) {
        difference = Compare(screen.convertToFormat(QImage::Format_RGB32), origin, expected);
        if (difference.count == 0) {
          break;
        }
      }
      QTest::qWait(100);
    }
    QVERIFY2(plinthar.state() == QProcess::Running, "the program ended by itself");
    QVERIFY2(difference.count == 0,
             qPrintable(QStringLiteral("%1 pixels of the picture box differ from %2; %3")
                            .arg(difference.count)
                            .arg(Setting("PLINTHAR_PICTURE"))
                            .arg(difference.first)));
  }
};

QTEST_GUILESS_MAIN(ProgramPictureTest)
#include "program_picture_test.moc"
