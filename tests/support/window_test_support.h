#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QObject>
#include <QPushButton>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <map>
#include <string>
#include <vector>

#include "main_window.h"

namespace plinthar::testing {

// Counts how often the window itself put a text into each number box.
// textChanged is raised by the window's setText and by the user's edits,
// textEdited by the user's edits alone; the difference is the window's share.
class ShownTextCounter {
 public:
  explicit ShownTextCounter(const QWidget& window) {
    for (const char* name : {"Text1", "Text2", "Text3"}) {
      auto* box = window.findChild<QLineEdit*>(QString::fromUtf8(name));
      int& count = counts_[QString::fromUtf8(name)];
      QObject::connect(box, &QLineEdit::textChanged, box, [&count] { ++count; });
      QObject::connect(box, &QLineEdit::textEdited, box, [&count] { --count; });
    }
  }

  [[nodiscard]] int Of(const char* box) const { return counts_.at(QString::fromUtf8(box)); }
  void Reset() {
    for (auto& [box, count] : counts_) {
      count = 0;
    }
  }

 private:
  std::map<QString, int> counts_;
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
