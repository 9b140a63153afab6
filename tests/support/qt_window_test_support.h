#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QObject>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
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
  // The user's way of closing it left it open; it was then closed for them.
  bool stayedOpen = false;
};

// Answers every modal message box that opens while it runs, as a user would,
// after noting what the box showed: by default with the OK button. A box left
// open would block the test for ever inside the nested event loop. Any other
// modal widget is counted and closed.
class MessageBoxWatcher : public QObject {
 public:
  enum class Closing : std::uint8_t { OkButton, Enter, Escape };

  // Looks for an open box every intervalMs, from now on.
  explicit MessageBoxWatcher(int intervalMs = 10) {
    timer_.setInterval(intervalMs);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { AnswerOpenBox(); });
    timer_.start();
  }

  // Forgets what it saw and looks again; Stop pauses it.
  void Start() {
    seen.clear();
    otherModalWidgets = 0;
    timer_.start();
  }
  void Stop() { timer_.stop(); }

  // How each box is to be closed, chosen box by box.
  void CloseWith(std::function<Closing()> choose) { choose_ = std::move(choose); }

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
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    // Closing by the user's way runs events, which may find the box again:
    // then the user's way has failed once, and the box is closed directly.
    if (ok == nullptr || closing_) {
      box->done(QMessageBox::Ok);
      return;
    }
    closing_ = true;
    switch (choose_ ? choose_() : Closing::OkButton) {
      case Closing::OkButton:
        QTest::mouseClick(ok, Qt::LeftButton);
        break;
      case Closing::Enter:
        QTest::keyClick(box, Qt::Key_Return);
        break;
      case Closing::Escape:
        QTest::keyClick(box, Qt::Key_Escape);
        break;
    }
    closing_ = false;
    if (box->isVisible()) {
      seen.back().stayedOpen = true;
      box->done(QMessageBox::Ok);
    }
  }

  QTimer timer_;
  std::function<Closing()> choose_;
  bool closing_ = false;
};

template <typename Control>
Control* Find(const QWidget& window, const char* name) {
  return window.findChild<Control*>(QString::fromUtf8(name));
}

}  // namespace plinthar::testing
