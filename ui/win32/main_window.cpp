#include "main_window.h"

#include <commctrl.h>

#include <array>

#include "control_ids.h"
#include "plinthar/form/screen_units.h"
#include "plinthar/form/window_placement.h"
#include "text_conversion.h"

namespace plinthar::win32 {

namespace {

// A fixed single border and a title bar with the system menu and the close
// button only; shown in the task bar.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kWindowExtendedStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;

// The name packaging/plinthar.rc.in gives the program's icon.
constexpr const wchar_t* kIconResource = L"IDI_ICON1";

const wchar_t* MainWindowClass(HINSTANCE instance, WNDPROC procedure) {
  static const std::wstring className = Utf8ToWide(form::kFormName);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (GetClassInfoExW(instance, className.c_str(), &windowClass) == FALSE) {
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = static_cast<HICON>(
        LoadImageW(instance, kIconResource, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    // Not shared: a shared icon comes back at the size first loaded, whatever
    // size is asked for.
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, kIconResource, IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = className.c_str();
    RegisterClassExW(&windowClass);
  }
  return className.c_str();
}

// The window's outer rectangle for a client area of the form's size at the
// resolution, whose top-left corner is at clientLeft, clientTop.
RECT OuterRect(int dotsPerInch, int clientLeft, int clientTop) {
  RECT rect{clientLeft, clientTop,
            clientLeft + form::TwipsToPixels(form::kClientWidth, dotsPerInch),
            clientTop + form::TwipsToPixels(form::kClientHeight, dotsPerInch)};
  AdjustWindowRectExForDpi(&rect, kWindowStyle, FALSE, kWindowExtendedStyle,
                           static_cast<UINT>(dotsPerInch));
  return rect;
}

// The outer rectangle at the form's own place, which is in twips and so
// scales with the resolution.
RECT AtFormPlace(int dotsPerInch) {
  return OuterRect(dotsPerInch, form::TwipsToPixels(form::kClientLeft, dotsPerInch),
                   form::TwipsToPixels(form::kClientTop, dotsPerInch));
}

// The form's place scales with the resolution, so at 150 or 200 % a window
// opened there can reach past a small screen; it is moved just enough to lie
// within the work area.
RECT InWorkArea(const RECT& outer, const RECT& work) {
  const form::ScreenRect placed =
      form::PlaceInWorkArea({outer.left, outer.top, outer.right, outer.bottom},
                            {work.left, work.top, work.right, work.bottom});
  return {placed.left, placed.top, placed.right, placed.bottom};
}

std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

RECT MainWindow::MonitorWorkArea(const RECT& window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoW(MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST), &monitor) == FALSE) {
    return window;
  }
  return monitor.rcWork;
}

MainWindow::MainWindow(HINSTANCE instance, std::filesystem::path picturePath,
                       const WorkAreaQuery& workArea)
    : form_(*this), picturePath_(std::move(picturePath)) {
  const INITCOMMONCONTROLSEX controlClasses{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controlClasses);

  // Placed first for the main monitor's resolution, then once more for the
  // monitor that the window actually opened on, within its work area.
  const auto systemDpi = static_cast<int>(GetDpiForSystem());
  const RECT outer = AtFormPlace(systemDpi);
  const std::wstring caption = Utf8ToWide(form::WindowCaption());
  CreateWindowExW(kWindowExtendedStyle, MainWindowClass(instance, WindowProcedure), caption.c_str(),
                  kWindowStyle, outer.left, outer.top, outer.right - outer.left,
                  outer.bottom - outer.top, nullptr, nullptr, instance, this);

  const auto dpi = static_cast<int>(GetDpiForWindow(window_));
  fonts_ = std::make_unique<FormFonts>(dpi);
  controls_ = CreateControls(window_, instance, dpi, *fonts_);
  SetBoxResolution(Control(form::Picture1), dpi);
  // On the main monitor that is the rectangle the window was made with.
  const RECT atFormPlace = dpi == systemDpi ? outer : AtFormPlace(dpi);
  const RECT placed = InWorkArea(atFormPlace, workArea(atFormPlace));
  // Usually the window already stands there; a move would cost the start a
  // round of messages for nothing.
  RECT created{};
  GetWindowRect(window_, &created);
  if (EqualRect(&created, &placed) == FALSE) {
    SetWindowPos(window_, nullptr, placed.left, placed.top, placed.right - placed.left,
                 placed.bottom - placed.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  form_.Show(*this);
  focus_ = Control(form::Picture1);
  Form_Load();
}

MainWindow::~MainWindow() {
  if (window_ != nullptr) {
    DestroyWindow(window_);
  }
}

HWND MainWindow::Control(const form::ControlSpec& spec) const {
  return controls_.at(form::ControlIndex(spec));
}

LRESULT CALLBACK MainWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) {
        // Enter and Escape arrive as IDOK and IDCANCEL, no control of the
        // table: they press nothing.
        if (const form::ControlSpec* control = ControlWithId(LOWORD(wParam))) {
          form_.Click(*control);
        }
      } else if (HIWORD(wParam) == EN_CHANGE) {
        TextTyped(LOWORD(wParam));
      }
      return 0;
    case WM_ACTIVATE:
      Activated(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_SETFOCUS:
      SetFocus(focus_);
      return 0;
    case WM_GETDPISCALEDSIZE: {
      // The client area is the form's size in twips at the new resolution,
      // exactly, not the old size scaled and rounded by the system.
      const RECT outer = OuterRect(static_cast<int>(wParam), 0, 0);
      *reinterpret_cast<SIZE*>(lParam) = {outer.right - outer.left, outer.bottom - outer.top};
      return TRUE;
    }
    case WM_DPICHANGED: {
      // The suggested rectangle has the size given for WM_GETDPISCALEDSIZE.
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      LayOut(HIWORD(wParam));
      SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_DESTROY:
      // Closing the window ends the program.
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

void MainWindow::Activated(bool active) {
  // Left to itself the window would take the focus from its controls.
  if (active) {
    SetFocus(focus_);
    return;
  }
  HWND focus = GetFocus();
  if (focus != nullptr && IsChild(window_, focus) != FALSE) {
    focus_ = focus;
  }
}

void MainWindow::LayOut(int dotsPerInch) {
  // The controls let go of the old fonts before these are deleted.
  auto fonts = std::make_unique<FormFonts>(dotsPerInch);
  LayOutControls(controls_, dotsPerInch, *fonts);
  SetBoxResolution(Control(form::Picture1), dotsPerInch);
  fonts_ = std::move(fonts);
}

// The text boxes are bound to their fields: typing stores the text and
// converts nothing.
void MainWindow::TextTyped(int id) {
  if (showing_) {
    return;  // the window's own writing, not the user's
  }
  if (const form::ControlSpec* box = ControlWithId(id)) {
    form_.TextTyped(*box, WideToUtf8(TextOf(Control(*box))));
  }
}

void MainWindow::ShowWarning(const std::string& message, const std::string& title) {
  MessageBoxW(window_, Utf8ToWide(message).c_str(), Utf8ToWide(title).c_str(),
              MB_OK | MB_ICONWARNING);
}

void MainWindow::ShowText(TextField field, const std::string& value) {
  HWND control = Control(form::ControlShowing(field));
  // Rewriting a text the box already holds would move the cursor of a user
  // who is typing into it. The box holds the text when it reads as the text,
  // as typing reads it: a character beyond U+FFFF is typed as two halves, and
  // between them the box holds a lone half that its field keeps as U+FFFD.
  if (WideToUtf8(TextOf(control)) != value) {
    showing_ = true;
    SetWindowTextW(control, Utf8ToWide(value).c_str());
    showing_ = false;
  }
}

void MainWindow::ShowPin(int pin, bool set) {
  // BM_SETCHECK sends no click notification, so showing the pin runs no
  // click handling: the core has already run it once.
  SendMessageW(Control(*form::kPinBoxes.at(static_cast<std::size_t>(pin))), BM_SETCHECK,
               set ? BST_CHECKED : BST_UNCHECKED, 0);
}

void MainWindow::Form_Load() {
  picture_ = DisplayPicture::Load(picturePath_);
  if (picture_) {
    SetBoxPicture(Control(form::Picture1), &*picture_);
  }
  // Without its picture the window works all the same.
}

}  // namespace plinthar::win32
