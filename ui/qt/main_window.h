#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <optional>
#include <string>
#include <utility>

#include "plinthar/converter_state.h"
#include "plinthar/form/field_refresh.h"
#include "plinthar/platform.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace plinthar {

class PinCheckBox;

// The form 二进制计算. It owns the converter state, shows every field of it
// once per operation, stores what the user types into the matching field, and
// hands each click to exactly one operation of the core; it converts nothing
// itself.
class MainWindow : public QWidget, public Platform, public form::FieldDisplay {
  Q_OBJECT

 public:
  // Runs Form_Load before returning, so the window is never shown without
  // its picture having been read from picturePath.
  explicit MainWindow(QString picturePath, QWidget* parent = nullptr);

  void ShowWarning(const std::string& message, const std::string& title) override;
  void ShowText(TextField field, const std::string& value) override;
  void ShowPin(int pin, bool set) override;

  // The fields behind the controls, read-only: tests compare what the window
  // shows with what the state holds.
  [[nodiscard]] const ConverterState& State() const { return state_; }

 private:
  void CreateControls();
  void SetUpFocusChain();
  void ConnectEvents();
  // Runs one operation of the core and shows the fields it changed.
  template <typename Operation>
  void Run(Operation&& operation) {
    refresh_->Run(std::forward<Operation>(operation));
  }

  void Form_Load();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Check1_Click();
  void Check2_Click();
  void Check3_Click();
  void Check4_Click();
  void Check5_Click();
  void Check6_Click();
  void Check7_Click();
  void Check8_Click();

  ConverterState state_;
  // Made once the controls exist, since it shows every field at once.
  std::optional<form::FieldRefresh> refresh_;
  QString picturePath_;

  QLineEdit* Text3 = nullptr;
  QPushButton* Command1 = nullptr;
  QLineEdit* Text2 = nullptr;
  QPushButton* Command3 = nullptr;
  QPushButton* Command2 = nullptr;
  QLineEdit* Text1 = nullptr;
  QFrame* Frame1 = nullptr;
  PinCheckBox* Check1 = nullptr;
  PinCheckBox* Check2 = nullptr;
  PinCheckBox* Check3 = nullptr;
  PinCheckBox* Check4 = nullptr;
  PinCheckBox* Check5 = nullptr;
  PinCheckBox* Check6 = nullptr;
  PinCheckBox* Check7 = nullptr;
  PinCheckBox* Check8 = nullptr;
  QLabel* Label9 = nullptr;
  QLabel* Label8 = nullptr;
  QLabel* Label7 = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Picture1 = nullptr;
  QLabel* Label11 = nullptr;
  QLabel* Label10 = nullptr;

  // Check1 … Check8 by pin: P0 is Check1.
  std::array<PinCheckBox*, kPinCount> pinBoxes_{};
};

}  // namespace plinthar
