// The floor for the Windows window's start-up: a bare top-level Win32 window
// of the form's client size, style and place, with the program's manifest
// (common controls 6, per-monitor resolution) and one label in 宋体 at the
// form's 12 points, shown at once. A window of Chinese text cannot start with
// less; whatever Plinthar takes beyond this is its own.

#include <windows.h>

#include <string>

#include "plinthar/form/form_table.h"
#include "plinthar/form/screen_units.h"

namespace {

namespace form = plinthar::form;

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kWindowExtendedStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
constexpr const wchar_t* kClassName = L"PlintharFloor";

// The form's captions are UTF-8.
std::wstring Wide(const char* text) {
  std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0)),
                    L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), static_cast<int>(wide.size()));
  wide.pop_back();  // the terminating zero
  return wide;
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

// The parameters are named as the Windows headers declare them.
int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPWSTR /*lpCmdLine*/,
                    int nShowCmd) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = hInstance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);

  const auto dpi = static_cast<int>(GetDpiForSystem());
  const int left = form::TwipsToPixels(form::kClientLeft, dpi);
  const int top = form::TwipsToPixels(form::kClientTop, dpi);
  RECT outer{left, top, left + form::TwipsToPixels(form::kClientWidth, dpi),
             top + form::TwipsToPixels(form::kClientHeight, dpi)};
  AdjustWindowRectExForDpi(&outer, kWindowStyle, FALSE, kWindowExtendedStyle,
                           static_cast<UINT>(dpi));
  HWND window = CreateWindowExW(kWindowExtendedStyle, kClassName, L"Plinthar", kWindowStyle,
                                outer.left, outer.top, outer.right - outer.left,
                                outer.bottom - outer.top, nullptr, nullptr, hInstance, nullptr);

  // The caption of Text2, where the form has it.
  const form::ControlSpec& label = form::Label10;
  const std::wstring caption = Wide(label.caption);
  HWND text = CreateWindowExW(
      0, L"STATIC", caption.c_str(), WS_CHILD | WS_VISIBLE | SS_NOPREFIX | SS_LEFTNOWORDWRAP,
      form::TwipsToPixels(label.left, dpi), form::TwipsToPixels(label.top, dpi),
      form::TwipsToPixels(label.width, dpi), form::TwipsToPixels(label.height, dpi), window,
      nullptr, hInstance, nullptr);
  HFONT font =
      CreateFontW(-form::PointsToPixels(form::kWindowPointSize, dpi), 0, 0, 0, FW_NORMAL, FALSE,
                  FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体");
  SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

  ShowWindow(window, nShowCmd);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  DeleteObject(font);
  return static_cast<int>(message.wParam);
}
