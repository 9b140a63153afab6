#pragma once

#include <windows.h>

namespace plinthar::win32 {

// Hands one message taken from the queue on: the dialog manager's keyboard
// handling of the window comes first (Tab and Shift+Tab in the form's tab
// order, Space on a focused button or pin box), then the window it is for.
void DispatchFormMessage(HWND window, MSG& message);

// Handles messages until the window is closed; returns the program's exit
// code.
int RunMessageLoop(HWND window);

}  // namespace plinthar::win32
