#include <QApplication>
#include <QCoreApplication>
#include <QString>

#include "main_window.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // The display picture is shipped beside the program.
  plinthar::MainWindow window(QCoreApplication::applicationDirPath() + QStringLiteral("/LCD.BMP"));
  window.show();
  // Closing the window, the last one, ends the event loop and the program.
  return QApplication::exec();
}
