#include "win32_window_test_support.h"

#include <commctrl.h>

#include <atomic>
#include <cstring>
#include <string_view>

#include "control_ids.h"
#include "form_controls_by_name.h"
#include "message_loop.h"

namespace plinthar::testing {

namespace {

constexpr std::array<const char*, 3> kBoxes{"Text1", "Text2", "Text3"};

std::wstring ClassOf(HWND window) {
  std::array<wchar_t, 256> name{};
  const int length = GetClassNameW(window, name.data(), static_cast<int>(name.size()));
  return {name.data(), static_cast<std::size_t>(length)};
}

// The key's scan code in bits 16 … 23 and a repeat count of 1, as the
// keyboard driver reports a key.
LPARAM KeyDownBits(WPARAM key) {
  return static_cast<LPARAM>(1U | (MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC) << 16U));
}

LPARAM KeyUpBits(WPARAM key) {
  return static_cast<LPARAM>(static_cast<unsigned long long>(KeyDownBits(key)) | 0xC0000000U);
}

void SetShift(bool down) {
  std::array<BYTE, 256> keys{};
  GetKeyboardState(keys.data());
  keys.at(VK_SHIFT) = down ? 0x80 : 0;
  SetKeyboardState(keys.data());
}

}  // namespace

TemporaryFolder::TemporaryFolder() {
  static std::atomic<int> serial{0};
  path_ = std::filesystem::temp_directory_path() /
          ("plinthar-win32-test-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(serial++));
  std::filesystem::create_directories(path_);
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void Pump(HWND window) {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
    win32::DispatchFormMessage(window, message);
  }
}

std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

RECT RectInParent(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

Form::Form() : ownFolder_(std::in_place) {
  Open(ownFolder_->Path());
}

Form::Form(const std::filesystem::path& folder) {
  Open(folder);
}

void Form::Open(const std::filesystem::path& folder) {
  window_.emplace(GetModuleHandleW(nullptr), folder / "LCD.BMP");
  for (std::size_t box = 0; box < kBoxes.size(); ++box) {
    SetWindowSubclass(Control(kBoxes.at(box)), CountShown, 1,
                      reinterpret_cast<DWORD_PTR>(&shown_.at(box)));
  }
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  Pump(Handle());
}

Form::~Form() {
  for (const char* box : kBoxes) {
    RemoveWindowSubclass(Control(box), CountShown, 1);
  }
  window_.reset();
  // The closed window asked the program to end; a test goes on.
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
  }
}

LRESULT CALLBACK Form::CountShown(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR /*id*/, DWORD_PTR count) {
  if (message == WM_SETTEXT) {
    ++*reinterpret_cast<int*>(count);
  }
  return DefSubclassProc(box, message, wParam, lParam);
}

HWND Form::Control(const char* name) const {
  const form::ControlSpec* spec = ControlNamed(name);
  return spec == nullptr ? nullptr : window_->Control(*spec);
}

HWND Form::Pin(int pin) const {
  return window_->Control(*form::kPinBoxes.at(static_cast<std::size_t>(pin)));
}

std::string Form::FocusName() const {
  const form::ControlSpec* spec = win32::ControlWithId(GetDlgCtrlID(GetFocus()));
  return spec == nullptr ? "" : spec->name;
}

int Form::ShownPins() const {
  int pins = 0;
  for (int pin = 0; pin < 8; ++pin) {
    if (SendMessageW(Pin(pin), BM_GETCHECK, 0, 0) == BST_CHECKED) {
      pins |= 1 << pin;
    }
  }
  return pins;
}

std::array<std::wstring, 3> Form::Texts() const {
  return {TextOf(Control("Text1")), TextOf(Control("Text2")), TextOf(Control("Text3"))};
}

void Form::Press(WPARAM key, bool shift) const {
  if (shift) {
    SetShift(true);
  }
  HWND focus = GetFocus();
  PostMessageW(focus, WM_KEYDOWN, key, KeyDownBits(key));
  PostMessageW(focus, WM_KEYUP, key, KeyUpBits(key));
  Pump(Handle());
  if (shift) {
    SetShift(false);
  }
}

void Form::Type(const char* box, const std::wstring& text) const {
  SetFocus(Control(box));
  Press(VK_END);
  TypeHere(text);
}

void Form::TypeHere(const std::wstring& text) const {
  HWND focus = GetFocus();
  for (const wchar_t character : text) {
    PostMessageW(focus, WM_CHAR, character, 1);
  }
  Pump(Handle());
}

void Form::Paste(const char* box, const std::wstring& text) const {
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(GlobalLock(data), text.c_str(), bytes);
  GlobalUnlock(data);
  OpenClipboard(Handle());
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, data);  // the clipboard owns the data now
  CloseClipboard();
  HWND edit = Control(box);
  SetFocus(edit);
  SendMessageW(edit, WM_PASTE, 0, 0);
  Pump(Handle());
}

void Form::Erase(const char* box) const {
  HWND edit = Control(box);
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  PostMessageW(edit, WM_CHAR, VK_BACK, 1);
  Pump(Handle());
}

void Form::ClickAt(HWND control, POINT point) const {
  const LPARAM where = MAKELPARAM(point.x, point.y);
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, where);
  PostMessageW(control, WM_LBUTTONUP, 0, where);
  Pump(Handle());
}

void Form::Click(HWND control) const {
  RECT client{};
  GetClientRect(control, &client);
  ClickAt(control, {client.right / 2, client.bottom / 2});
}

bool Form::EachChangedBoxShownOnce(const std::array<std::wstring, 3>& before) const {
  const std::array<std::wstring, 3> after = Texts();
  for (std::size_t box = 0; box < kBoxes.size(); ++box) {
    if (shown_.at(box) != (before.at(box) == after.at(box) ? 0 : 1)) {
      return false;
    }
  }
  return true;
}

int Form::ShownCount(const char* box) const {
  for (std::size_t index = 0; index < kBoxes.size(); ++index) {
    if (std::string_view(kBoxes.at(index)) == box) {
      return shown_.at(index);
    }
  }
  return -1;
}

void Form::ResetShownCounts() {
  shown_ = {};
}

namespace {

MessageBoxCatcher* activeCatcher = nullptr;

}  // namespace

MessageBoxCatcher::MessageBoxCatcher(HWND form)
    : form_(form), hook_(SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId())) {
  activeCatcher = this;
}

MessageBoxCatcher::~MessageBoxCatcher() {
  UnhookWindowsHookEx(hook_);
  activeCatcher = nullptr;
}

LRESULT CALLBACK MessageBoxCatcher::Hook(int code, WPARAM wParam, LPARAM lParam) {
  auto* box = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_ACTIVATE && activeCatcher != nullptr && ClassOf(box) == L"#32770") {
    SeenMessageBox seen{TextOf(box),
                        {},
                        false,
                        {},
                        GetWindow(box, GW_OWNER) == activeCatcher->form_,
                        IsWindowEnabled(activeCatcher->form_) == FALSE};
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      const std::wstring kind = ClassOf(child);
      // The box is not shown yet when it is activated: its buttons' own
      // visibility is what counts.
      if (kind == L"Button" && (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) != 0) {
        seen.buttons.push_back(GetDlgCtrlID(child));
      } else if (kind == L"Static" && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        seen.warningIcon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0)) ==
                           LoadIconW(nullptr, IDI_WARNING);
      } else if (kind == L"Static" && GetWindowTextLengthW(child) > 0) {
        seen.text = TextOf(child);
      }
    }
    activeCatcher->seen.push_back(seen);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace plinthar::testing
