#pragma once

#include <windows.h>

#include <array>

#include "plinthar/form/form_table.h"

namespace plinthar::win32 {

class FormFonts;

// The controls' windows, in the order of form::kControls.
using ControlWindows = std::array<HWND, form::kControlCount>;

// Creates the form's controls from its table as children of the window (the
// pin row as children of Frame1), each with the identifier ControlId gives it,
// at its place and size for the resolution and with its font. The dialog
// manager's Tab walks the children in their stacking order, which is the
// order of creation, so they are created by tab index; each is made once,
// finished, rather than made, restacked and placed one system call at a time
// at every start.
ControlWindows CreateControls(HWND window, HINSTANCE instance, int dotsPerInch, FormFonts& fonts);

// Places every control at its position and size for another resolution and
// gives it its font there.
void LayOutControls(const ControlWindows& controls, int dotsPerInch, FormFonts& fonts);

}  // namespace plinthar::win32
