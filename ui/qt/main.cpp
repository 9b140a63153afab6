#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QString>
#include <QtGlobal>

#include <cstddef>
#include <cstdlib>

#include "display_platform.h"
#include "main_window.h"
#include "plinthar/form/form_table.h"
#include "plinthar/version.h"

int main(int argc, char* argv[]) {
  if (const char* platform =
          plinthar::DisplayPlatformFor({.qt_qpa_platform = std::getenv("QT_QPA_PLATFORM"),
                                        .xdg_current_desktop = std::getenv("XDG_CURRENT_DESKTOP"),
                                        .wayland_display = std::getenv("WAYLAND_DISPLAY"),
                                        .display = std::getenv("DISPLAY")},
                                       {argv, static_cast<std::size_t>(argc)})) {
    qputenv("QT_QPA_PLATFORM", platform);
  }
  QApplication application(argc, argv);
  QCoreApplication::setApplicationName(QString::fromUtf8(plinthar::kProductName));
  QCoreApplication::setApplicationVersion(QString::fromUtf8(plinthar::kVersionText));
  // Lets the desktop match the window to the installed entry and its icon.
  QGuiApplication::setDesktopFileName(QString::fromUtf8(plinthar::kDesktopAppId));
  // The display picture is shipped beside the program.
  plinthar::MainWindow window(
      QDir(QCoreApplication::applicationDirPath())
          .filePath(QString::fromUtf8(plinthar::form::kDisplayPictureFileName)));
  window.show();
  // Closing the window, the last one, ends the event loop and the program.
  return QApplication::exec();
}
