#pragma once

#include <windows.h>

namespace plinthar::win32 {

// Registers a window class of the form's own controls on the first call for
// that name (later calls find it registered): the arrow cursor and the
// system's face colour behind what the control paints.
const wchar_t* ControlClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure);

}  // namespace plinthar::win32
