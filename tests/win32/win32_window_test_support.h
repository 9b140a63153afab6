#pragma once

#include <windows.h>

#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "main_window.h"

// Drives the Win32 window in-process as a user would: messages go through the
// program's own message handling (DispatchFormMessage), so Tab, Space, Enter
// and Escape meet the dialog manager exactly as they do in the program.
namespace plinthar::testing {

// A folder of its own for each window, removed with it.
class TemporaryFolder {
 public:
  TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  TemporaryFolder(TemporaryFolder&&) = delete;
  TemporaryFolder& operator=(TemporaryFolder&&) = delete;
  ~TemporaryFolder();

  [[nodiscard]] const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Hands every queued message to the window as the program's loop does.
void Pump(HWND window);

// The control's text, from the control itself.
std::wstring TextOf(HWND control);

// The control's rectangle in the client coordinates of its parent.
RECT RectInParent(HWND control);

// The window, shown and active, with the picture read from folder/LCD.BMP.
class Form {
 public:
  // Reads the picture from folder/LCD.BMP.
  explicit Form(const std::filesystem::path& folder);
  // Without a picture.
  Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  Form(Form&&) = delete;
  Form& operator=(Form&&) = delete;
  ~Form();

  [[nodiscard]] HWND Handle() const { return window_->Handle(); }
  [[nodiscard]] const ConverterState& State() const { return window_->State(); }
  // The control of that name ("Check1"), nullptr for none.
  [[nodiscard]] HWND Control(const char* name) const;
  [[nodiscard]] HWND Pin(int pin) const;
  // The name of the control with the focus, "" when no control has it.
  [[nodiscard]] std::string FocusName() const;
  // The pins P7 … P0 as ticked on screen, P0 in bit 0.
  [[nodiscard]] int ShownPins() const;
  // The texts of Text1, Text2 and Text3, in this order.
  [[nodiscard]] std::array<std::wstring, 3> Texts() const;

  // A key pressed and released on the control with the focus.
  void Press(WPARAM key, bool shift = false) const;
  // Characters typed at the end of a box, which gets the focus first.
  void Type(const char* box, const std::wstring& text) const;
  // Characters typed where the cursor of the focused box stands.
  void TypeHere(const std::wstring& text) const;
  // The text put on the clipboard and pasted into a box, which gets the
  // focus first.
  void Paste(const char* box, const std::wstring& text) const;
  // The box's text erased as a user does: all selected, then Backspace.
  void Erase(const char* box) const;
  // A left click at a point of the control, in its client coordinates.
  void ClickAt(HWND control, POINT point) const;
  void Click(HWND control) const;

  // Each box whose text an operation changed is shown once, with the final
  // text; a box whose text ends as it was is not written at all.
  [[nodiscard]] bool EachChangedBoxShownOnce(const std::array<std::wstring, 3>& before) const;
  // How often the window itself put a text into the box since the last Reset.
  [[nodiscard]] int ShownCount(const char* box) const;
  void ResetShownCounts();

 private:
  void Open(const std::filesystem::path& folder);
  static LRESULT CALLBACK CountShown(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR count);

  std::optional<TemporaryFolder> ownFolder_;
  std::optional<win32::MainWindow> window_;
  // WM_SETTEXT that reached Text1, Text2 and Text3: typing sends none.
  std::array<int, 3> shown_{};
};

struct SeenMessageBox {
  std::wstring title;
  std::wstring text;
  bool warningIcon;
  std::vector<int> buttons;  // the identifiers of its buttons
  bool ownedByForm;
  bool formDisabled;  // the window took no input while the box was open
};

// Answers every message box that opens while it lives, as a user would with
// the OK button, after noting what the box showed. A box left open would
// block the test for ever in its modal loop.
class MessageBoxCatcher {
 public:
  explicit MessageBoxCatcher(HWND form);
  MessageBoxCatcher(const MessageBoxCatcher&) = delete;
  MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;
  MessageBoxCatcher(MessageBoxCatcher&&) = delete;
  MessageBoxCatcher& operator=(MessageBoxCatcher&&) = delete;
  ~MessageBoxCatcher();

  std::vector<SeenMessageBox> seen;

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);

  HWND form_;
  HHOOK hook_;
};

}  // namespace plinthar::testing
