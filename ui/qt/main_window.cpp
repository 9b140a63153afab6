#include "main_window.h"

#include <QAbstractButton>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <limits>
#include <utility>

#include "control_placement.h"
#include "display_picture.h"
#include "form_accessibility.h"
#include "form_fonts.h"
#include "form_label.h"
#include "pin_check_box.h"
#include "plinthar/form/screen_units.h"
#include "plinthar/form/window_placement.h"
#include "warning_box.h"

namespace plinthar {

namespace {

Qt::Alignment HorizontalAlignment(form::TextAlignment alignment) {
  switch (alignment) {
    case form::TextAlignment::Centre:
      return Qt::AlignHCenter;
    case form::TextAlignment::Right:
      return Qt::AlignRight;
    case form::TextAlignment::Left:
      break;
  }
  return Qt::AlignLeft;
}

QLineEdit* MakeTextBox(QWidget* container, const form::ControlSpec& spec) {
  auto* box = new QLineEdit(container);
  PlaceControl(*box, spec);
  box->setAlignment(HorizontalAlignment(spec.alignment) | Qt::AlignVCenter);
  // The boxes take text of any length; Qt would stop at 32767 characters.
  box->setMaxLength(std::numeric_limits<int>::max());
  return box;
}

QPushButton* MakeButton(QWidget* container, const form::ControlSpec& spec) {
  auto* button = new QPushButton(Caption(spec), container);
  PlaceControl(*button, spec);
  // The form has no default button: Enter in a text box presses nothing.
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

QFrame* MakeFrame(QWidget* container, const form::ControlSpec& spec) {
  auto* frame = new QFrame(container);
  PlaceControl(*frame, spec);
  // A plain etched border without a caption.
  frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
  return frame;
}

PinCheckBox* MakePinBox(QWidget* container, const form::ControlSpec& spec) {
  auto* box = new PinCheckBox(container);
  PlaceControl(*box, spec);
  return box;
}

QLabel* MakeLabel(QWidget* container, const form::ControlSpec& spec) {
  auto* label = new FormLabel(Caption(spec), container);
  PlaceControl(*label, spec);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(HorizontalAlignment(spec.alignment) | Qt::AlignTop);
  return label;
}

QLabel* MakePictureBox(QWidget* container, const form::ControlSpec& spec) {
  auto* box = new QLabel(container);
  PlaceControl(*box, spec);
  box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  box->setLineWidth(2);
  // The picture sits at its own size in the top-left corner, never stretched.
  box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  box->setScaledContents(false);
  // The picture box is the first tab stop and holds the focus at start.
  box->setFocusPolicy(Qt::StrongFocus);
  return box;
}

// Qt scales the form's place with the screen, so at 150 or 200 % the window
// can reach past a small screen; it is moved just enough to lie within the
// available area of the screen it lands on. The window manager's frame lies
// outside the client area placed here. On Wayland the compositor places
// windows and takes no position from the program.
QRect InAvailableArea(const QRect& client) {
  const QScreen* screen = QGuiApplication::screenAt(client.center());
  if (screen == nullptr) {
    screen = QGuiApplication::primaryScreen();
  }
  if (screen == nullptr) {
    return client;
  }
  const QRect area = screen->availableGeometry();
  const form::ScreenRect placed = form::PlaceInWorkArea(
      {client.x(), client.y(), client.x() + client.width(), client.y() + client.height()},
      {area.x(), area.y(), area.x() + area.width(), area.y() + area.height()});
  return {placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top};
}

}  // namespace

MainWindow::MainWindow(QString picturePath, QWidget* parent)
    : QWidget(parent), form_(*this), picturePath_(std::move(picturePath)) {
  InstallFormAccessibility();
  setObjectName(QString::fromUtf8(form::kFormName));
  const std::string_view caption = form::WindowCaption();
  setWindowTitle(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
  // A fixed border with the system menu and the close button only.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFont(FormFont(form::kWindowPointSize));
  QIcon icon;
  for (const char* name : {":/icons/plinthar-32.png", ":/icons/plinthar-48.png"}) {
    // QIcon::addFile would load every image plugin to ask it about a PNG,
    // which QtGui reads itself.
    QImageReader reader(QString::fromLatin1(name), "png");
    reader.setAutoDetectImageFormat(false);
    icon.addPixmap(QPixmap::fromImage(reader.read()));
  }
  setWindowIcon(icon);
  // A top-level widget's geometry is that of its client area.
  setGeometry(InAvailableArea(
      QRect(form::TwipsToPixels(form::kClientLeft), form::TwipsToPixels(form::kClientTop),
            form::TwipsToPixels(form::kClientWidth), form::TwipsToPixels(form::kClientHeight))));
  setFixedSize(form::TwipsToPixels(form::kClientWidth), form::TwipsToPixels(form::kClientHeight));

  // The table lists the frame before the pin row that it holds.
  for (const form::ControlSpec* spec : form::kControls) {
    controls_.at(form::ControlIndex(*spec)) = MakeControl(*spec);
  }
  SetUpFocusChain();
  ConnectEvents();
  form_.Show(*this);
  Control(form::Picture1)->setFocus();
  Form_Load();
}

QWidget* MainWindow::Control(const form::ControlSpec& spec) const {
  return controls_.at(form::ControlIndex(spec));
}

QWidget* MainWindow::MakeControl(const form::ControlSpec& spec) {
  QWidget* container = spec.container == form::Container::Frame1 ? Control(form::Frame1) : this;
  switch (spec.kind) {
    case form::ControlKind::TextBox:
      return MakeTextBox(container, spec);
    case form::ControlKind::Button:
      return MakeButton(container, spec);
    case form::ControlKind::Frame:
      return MakeFrame(container, spec);
    case form::ControlKind::CheckBox:
      return MakePinBox(container, spec);
    case form::ControlKind::Label:
      return MakeLabel(container, spec);
    case form::ControlKind::PictureBox:
      break;
  }
  return MakePictureBox(container, spec);
}

void MainWindow::SetUpFocusChain() {
  QWidget* previous = nullptr;
  for (const form::ControlSpec* spec : form::FocusOrder()) {
    QWidget* control = Control(*spec);
    if (previous != nullptr) {
      setTabOrder(previous, control);
    }
    previous = control;
  }
}

void MainWindow::ConnectEvents() {
  for (const form::ControlSpec* spec : form::kControls) {
    QWidget* control = Control(*spec);
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
      connect(button, &QAbstractButton::clicked, this, [this, spec] { form_.Click(*spec); });
    } else if (auto* box = qobject_cast<QLineEdit*>(control)) {
      // textEdited, unlike textChanged, is not raised by the window's own
      // setText, so a field is never written back to itself.
      connect(box, &QLineEdit::textEdited, this,
              [this, spec](const QString& text) { form_.TextTyped(*spec, text.toStdString()); });
    }
  }
}

void MainWindow::ShowWarning(const std::string& message, const std::string& title) {
  ShowWarningBox(*this, message, title);
}

void MainWindow::ShowText(TextField field, const std::string& value) {
  QWidget* control = Control(form::ControlShowing(field));
  const QString text = QString::fromStdString(value);
  // Rewriting a text the control already holds would move the cursor of a
  // user who is typing into it.
  if (auto* box = qobject_cast<QLineEdit*>(control)) {
    if (box->text() != text) {
      box->setText(text);
    }
  } else if (auto* button = qobject_cast<QAbstractButton*>(control);
             button != nullptr && button->text() != text) {
    button->setText(text);
  }
}

void MainWindow::ShowPin(int pin, bool set) {
  // Nothing listens to the box's own change signals, so showing the pin runs
  // no click handling: the core has already run it once.
  qobject_cast<QAbstractButton*>(Control(*form::kPinBoxes.at(static_cast<std::size_t>(pin))))
      ->setChecked(set);
}

void MainWindow::Form_Load() {
  const QImage picture = LoadDisplayPicture(picturePath_);
  if (picture.isNull()) {
    return;  // the window works without its picture
  }
  auto* box = qobject_cast<QLabel*>(Control(form::Picture1));
  // Cut to the box's inside so that a larger picture is clipped at the
  // right and bottom edges instead of being drawn over the border.
  const QRect shown = QRect(QPoint(0, 0), box->contentsRect().size()).intersected(picture.rect());
  box->setPixmap(QPixmap::fromImage(picture.copy(shown)));
}

}  // namespace plinthar
