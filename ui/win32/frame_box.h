#pragma once

#include <windows.h>

namespace plinthar::win32 {

// The window class of Frame1: a plain etched border without a caption that
// holds the pin row. Its controls are its children, placed from its outer
// top-left corner as the form places them; their notifications go on to the
// main window, which handles them. Registers the class on the first call.
const wchar_t* FrameBoxClass(HINSTANCE instance);

}  // namespace plinthar::win32
