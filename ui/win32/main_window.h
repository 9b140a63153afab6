#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "form_controls.h"
#include "form_fonts.h"
#include "picture_box.h"
#include "plinthar/converter_state.h"
#include "plinthar/form/converter_form.h"
#include "plinthar/form/field_refresh.h"
#include "plinthar/form/form_table.h"
#include "plinthar/platform.h"

namespace plinthar::win32 {

// The form 二进制计算 as a Win32 window. It creates the controls of the form's
// table, shows the fields of the form's state, and hands the control of every
// click and edit to the form, which runs the one operation of the core; it
// converts nothing itself.
class MainWindow final : public Platform, public form::FieldDisplay {
 public:
  // The work area, the part of the screen that no task bar covers, of the
  // monitor that a window's rectangle lands on.
  using WorkAreaQuery = std::function<RECT(const RECT& window)>;
  static RECT MonitorWorkArea(const RECT& window);

  // Creates the window and its controls for the resolution of the monitor
  // it opens on, within that monitor's work area, and runs Form_Load,
  // reading the picture from picturePath, before returning; the window is
  // not shown yet. Tests put a screen of their own in place of the monitor.
  MainWindow(HINSTANCE instance, std::filesystem::path picturePath,
             const WorkAreaQuery& workArea = MonitorWorkArea);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  MainWindow(MainWindow&&) = delete;
  MainWindow& operator=(MainWindow&&) = delete;
  ~MainWindow() override;

  [[nodiscard]] HWND Handle() const { return window_; }
  [[nodiscard]] HWND Control(const form::ControlSpec& spec) const;

  void ShowWarning(const std::string& message, const std::string& title) override;
  void ShowText(TextField field, const std::string& value) override;
  void ShowPin(int pin, bool set) override;

  // The fields behind the controls, read-only: tests compare what the window
  // shows with what the state holds.
  [[nodiscard]] const ConverterState& State() const { return form_.State(); }

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void TextTyped(int id);
  void LayOut(int dotsPerInch);
  void Activated(bool active);

  void Form_Load();

  form::ConverterForm form_;
  std::filesystem::path picturePath_;
  std::optional<DisplayPicture> picture_;
  std::unique_ptr<FormFonts> fonts_;
  HWND window_ = nullptr;
  ControlWindows controls_{};
  // The control that had the focus when the window was last active; it gets
  // it back when the window is activated again.
  HWND focus_ = nullptr;
  // Set while the window itself writes into a text box, whose change
  // notification must then not be taken for typing.
  bool showing_ = false;
};

}  // namespace plinthar::win32
