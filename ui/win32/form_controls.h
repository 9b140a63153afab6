#pragma once

#include <windows.h>

#include <array>

#include "plinthar/form/form_table.h"

namespace plinthar::win32 {

class FormFonts;

// The controls' windows, in the order of form::kControls.
using ControlWindows = std::array<HWND, form::kControlCount>;

// Creates the form's controls from its table, in the table's order, as
// children of the window (the pin row as children of Frame1), each with the
// identifier ControlId gives it. The dialog manager's Tab walks the children
// in their stacking order, so the controls are then stacked by tab index.
// Nothing is placed yet: LayOutControls does that.
ControlWindows CreateControls(HWND window, HINSTANCE instance);

// Places every control at its position and size for the resolution and gives
// it its font.
void LayOutControls(const ControlWindows& controls, int dotsPerInch, FormFonts& fonts);

}  // namespace plinthar::win32
