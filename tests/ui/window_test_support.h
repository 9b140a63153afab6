#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QObject>
#include <QPushButton>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <string>
#include <vector>

#include "main_window.h"

namespace plinthar::testing {

// The window whose text writes are counted: every ReadPins run writes
// BinaryText once, so the count tells how often the pin handling ran.
class CountingWindow : public MainWindow {
 public:
  using MainWindow::MainWindow;

  void TextWritten(TextField field, const std::string& value) override {
    if (field == TextField::BinaryText) {
      ++binaryWrites;
    }
    MainWindow::TextWritten(field, value);
  }

  int binaryWrites = 0;
};

struct SeenMessageBox {
  QMessageBox::Icon icon;
  QString title;
  QString text;
  QMessageBox::StandardButtons buttons;
  int buttonCount;
  Qt::WindowModality modality;
};

// Answers every modal message box that opens while it lives, as a user would
// with the OK button, after noting what the box showed. A box left open would
// block the test for ever inside the nested event loop.
class MessageBoxWatcher : public QObject {
 public:
  MessageBoxWatcher() {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { AnswerOpenBox(); });
    timer_.start();
  }

  std::vector<SeenMessageBox> seen;
  int otherModalWidgets = 0;

 private:
  void AnswerOpenBox() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) {
      return;
    }
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) {
      ++otherModalWidgets;
      modal->close();
      return;
    }
    seen.push_back({box->icon(), box->windowTitle(), box->text(), box->standardButtons(),
                    static_cast<int>(box->buttons().size()), box->windowModality()});
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
      ok->click();
    } else {
      box->reject();
    }
  }

  QTimer timer_;
};

template <typename Control>
Control* Find(const QWidget& window, const char* name) {
  return window.findChild<Control*>(QString::fromUtf8(name));
}

}  // namespace plinthar::testing
