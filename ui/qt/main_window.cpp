#include "main_window.h"

#include <QFrame>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <limits>
#include <utility>

#include "control_placement.h"
#include "display_picture.h"
#include "form_accessibility.h"
#include "form_fonts.h"
#include "form_label.h"
#include "pin_check_box.h"
#include "plinthar/conversion_commands.h"
#include "plinthar/form/screen_units.h"
#include "plinthar/port_pins.h"
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

QLabel* MakeLabel(QWidget* container, const form::ControlSpec& spec) {
  auto* label = new FormLabel(Caption(spec), container);
  PlaceControl(*label, spec);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(HorizontalAlignment(spec.alignment) | Qt::AlignTop);
  return label;
}

PinCheckBox* MakePinBox(QWidget* container, const form::ControlSpec& spec) {
  auto* box = new PinCheckBox(container);
  PlaceControl(*box, spec);
  return box;
}

void ShowInBox(QLineEdit& box, const QString& text) {
  // Rewriting a text the box already holds would move the cursor of a user
  // who is typing into it.
  if (box.text() != text) {
    box.setText(text);
  }
}

}  // namespace

MainWindow::MainWindow(QString picturePath, QWidget* parent)
    : QWidget(parent), state_(*this), picturePath_(std::move(picturePath)) {
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
  setGeometry(form::TwipsToPixels(form::kClientLeft), form::TwipsToPixels(form::kClientTop),
              form::TwipsToPixels(form::kClientWidth), form::TwipsToPixels(form::kClientHeight));
  setFixedSize(form::TwipsToPixels(form::kClientWidth), form::TwipsToPixels(form::kClientHeight));

  CreateControls();
  SetUpFocusChain();
  ConnectEvents();
  refresh_.emplace(state_, *this);
  Picture1->setFocus();
  Form_Load();
}

void MainWindow::CreateControls() {
  Text3 = MakeTextBox(this, form::Text3);
  Command1 = MakeButton(this, form::Command1);
  Text2 = MakeTextBox(this, form::Text2);
  Command3 = MakeButton(this, form::Command3);
  Command2 = MakeButton(this, form::Command2);
  Text1 = MakeTextBox(this, form::Text1);

  Frame1 = new QFrame(this);
  PlaceControl(*Frame1, form::Frame1);
  // A plain etched border without a caption.
  Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);

  Check1 = MakePinBox(Frame1, form::Check1);
  Check2 = MakePinBox(Frame1, form::Check2);
  Check3 = MakePinBox(Frame1, form::Check3);
  Check4 = MakePinBox(Frame1, form::Check4);
  Check5 = MakePinBox(Frame1, form::Check5);
  Check6 = MakePinBox(Frame1, form::Check6);
  Check7 = MakePinBox(Frame1, form::Check7);
  Check8 = MakePinBox(Frame1, form::Check8);
  pinBoxes_ = {Check1, Check2, Check3, Check4, Check5, Check6, Check7, Check8};

  Label9 = MakeLabel(Frame1, form::Label9);
  Label8 = MakeLabel(Frame1, form::Label8);
  Label7 = MakeLabel(Frame1, form::Label7);
  Label6 = MakeLabel(Frame1, form::Label6);
  Label5 = MakeLabel(Frame1, form::Label5);
  Label4 = MakeLabel(Frame1, form::Label4);
  Label3 = MakeLabel(Frame1, form::Label3);
  Label2 = MakeLabel(Frame1, form::Label2);
  Label1 = MakeLabel(Frame1, form::Label1);

  Picture1 = new QLabel(this);
  PlaceControl(*Picture1, form::Picture1);
  Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Picture1->setLineWidth(2);
  // The picture sits at its own size in the top-left corner, never stretched.
  Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Picture1->setScaledContents(false);
  // The picture box is the first tab stop and holds the focus at start.
  Picture1->setFocusPolicy(Qt::StrongFocus);

  Label11 = MakeLabel(this, form::Label11);
  Label10 = MakeLabel(this, form::Label10);
}

void MainWindow::SetUpFocusChain() {
  QWidget* previous = nullptr;
  for (const form::ControlSpec* spec : form::FocusOrder()) {
    auto* control = findChild<QWidget*>(QString::fromUtf8(spec->name));
    if (previous != nullptr) {
      setTabOrder(previous, control);
    }
    previous = control;
  }
}

void MainWindow::ConnectEvents() {
  connect(Command1, &QPushButton::clicked, this, &MainWindow::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &MainWindow::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &MainWindow::Command3_Click);
  connect(Check1, &PinCheckBox::clicked, this, &MainWindow::Check1_Click);
  connect(Check2, &PinCheckBox::clicked, this, &MainWindow::Check2_Click);
  connect(Check3, &PinCheckBox::clicked, this, &MainWindow::Check3_Click);
  connect(Check4, &PinCheckBox::clicked, this, &MainWindow::Check4_Click);
  connect(Check5, &PinCheckBox::clicked, this, &MainWindow::Check5_Click);
  connect(Check6, &PinCheckBox::clicked, this, &MainWindow::Check6_Click);
  connect(Check7, &PinCheckBox::clicked, this, &MainWindow::Check7_Click);
  connect(Check8, &PinCheckBox::clicked, this, &MainWindow::Check8_Click);

  // The text boxes are bound to their fields: typing stores the text and
  // converts nothing. textEdited, unlike textChanged, is not raised by the
  // window's own setText, so a field is never written back to itself.
  connect(Text3, &QLineEdit::textEdited, this,
          [this](const QString& text) { state_.SetDecimalText(text.toStdString()); });
  connect(Text2, &QLineEdit::textEdited, this,
          [this](const QString& text) { state_.SetHexText(text.toStdString()); });
  connect(Text1, &QLineEdit::textEdited, this,
          [this](const QString& text) { state_.SetBinaryText(text.toStdString()); });
}

void MainWindow::ShowWarning(const std::string& message, const std::string& title) {
  ShowWarningBox(*this, message, title);
}

void MainWindow::ShowText(TextField field, const std::string& value) {
  const QString text = QString::fromStdString(value);
  switch (field) {
    case TextField::DecimalText:
      ShowInBox(*Text3, text);
      return;
    case TextField::HexText:
      ShowInBox(*Text2, text);
      return;
    case TextField::BinaryText:
      ShowInBox(*Text1, text);
      return;
    case TextField::ToggleCaption:
      if (Command3->text() != text) {
        Command3->setText(text);
      }
      return;
  }
}

void MainWindow::ShowPin(int pin, bool set) {
  // Nothing listens to the box's own change signals, so showing the pin runs
  // no click handling: the core has already run it once.
  pinBoxes_.at(static_cast<std::size_t>(pin))->setChecked(set);
}

void MainWindow::Form_Load() {
  const QImage picture = LoadDisplayPicture(picturePath_);
  if (picture.isNull()) {
    return;  // the window works without its picture
  }
  // Cut to the box's inside so that a larger picture is clipped at the
  // right and bottom edges instead of being drawn over the border.
  const QRect shown =
      QRect(QPoint(0, 0), Picture1->contentsRect().size()).intersected(picture.rect());
  Picture1->setPixmap(QPixmap::fromImage(picture.copy(shown)));
}

void MainWindow::Command1_Click() {
  Run([this] { ConvertHex(state_); });
}

void MainWindow::Command2_Click() {
  Run([this] { ConvertDecimal(state_); });
}

void MainWindow::Command3_Click() {
  Run([this] { ToggleAllPins(state_); });
}

void MainWindow::Check1_Click() {
  Run([this] { state_.ClickPin(0); });
}

void MainWindow::Check2_Click() {
  Run([this] { state_.ClickPin(1); });
}

void MainWindow::Check3_Click() {
  Run([this] { state_.ClickPin(2); });
}

void MainWindow::Check4_Click() {
  Run([this] { state_.ClickPin(3); });
}

void MainWindow::Check5_Click() {
  Run([this] { state_.ClickPin(4); });
}

void MainWindow::Check6_Click() {
  Run([this] { state_.ClickPin(5); });
}

void MainWindow::Check7_Click() {
  Run([this] { state_.ClickPin(6); });
}

void MainWindow::Check8_Click() {
  Run([this] { state_.ClickPin(7); });
}

}  // namespace plinthar
