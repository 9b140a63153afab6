#include "frame_box.h"

#include <optional>

#include "accessible_control.h"
#include "plinthar/form/form_table.h"
#include "window_class.h"

namespace plinthar::win32 {

namespace {

constexpr const wchar_t* kFrameBoxClass = L"PlintharFrameBox";

LRESULT CALLBACK FrameBoxProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      HDC dc = BeginPaint(frame, &paint);
      RECT border{};
      GetClientRect(frame, &border);
      DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
      EndPaint(frame, &paint);
      return 0;
    }
    case WM_COMMAND:
      return SendMessageW(GetParent(frame), message, wParam, lParam);
    case WM_GETOBJECT:
      if (const std::optional<LRESULT> answer =
              AnswerGetObject(frame, form::Frame1, wParam, lParam)) {
        return *answer;
      }
      return DefWindowProcW(frame, message, wParam, lParam);
    default:
      return DefWindowProcW(frame, message, wParam, lParam);
  }
}

}  // namespace

const wchar_t* FrameBoxClass(HINSTANCE instance) {
  return ControlClass(instance, kFrameBoxClass, FrameBoxProc);
}

}  // namespace plinthar::win32
