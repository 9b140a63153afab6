#include "message_loop.h"

namespace plinthar::win32 {

void DispatchFormMessage(HWND window, MSG& message) {
  if (IsDialogMessageW(window, &message) == FALSE) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

int RunMessageLoop(HWND window) {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    DispatchFormMessage(window, message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace plinthar::win32
