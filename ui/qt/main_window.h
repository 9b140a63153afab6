#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <string>

#include "plinthar/converter_state.h"
#include "plinthar/form/converter_form.h"
#include "plinthar/form/field_refresh.h"
#include "plinthar/form/form_table.h"
#include "plinthar/platform.h"

namespace plinthar {

// The form 二进制计算 as a Qt window. It creates the controls of the form's
// table, shows the fields of the form's state, and hands every click and
// edit of a control to the form, which runs the one operation of the core;
// it converts nothing itself.
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
  [[nodiscard]] const ConverterState& State() const { return form_.State(); }

 private:
  [[nodiscard]] QWidget* Control(const form::ControlSpec& spec) const;
  QWidget* MakeControl(const form::ControlSpec& spec);
  void SetUpFocusChain();
  void ConnectEvents();
  void Form_Load();

  form::ConverterForm form_;
  QString picturePath_;
  // The controls' widgets, in the order of form::kControls.
  std::array<QWidget*, form::kControlCount> controls_{};
};

}  // namespace plinthar
