// The floor for start-up measurements: a bare top-level Qt Widgets window of
// Plinthar's client size, with no controls, shown at once. Whatever Plinthar
// takes beyond this is its own.

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget window;
  window.resize(274, 253);
  window.show();
  return QApplication::exec();
}
