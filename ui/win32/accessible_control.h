#pragma once

#include <windows.h>

#include <optional>

#include "plinthar/form/form_table.h"

// Names and roles for screen readers, through Microsoft Active Accessibility.
// A screen reader asks a control for its object with WM_GETOBJECT. Left to
// the system, no control of the form has both the right name and the right
// role: a caption-less box is named after whatever static text stands before
// it in the window order, and Wine calls every class but the edit box a
// plain "client". On Windows, UI Automation clients such as Narrator reach
// these objects through the MSAA-to-UIA bridge.
namespace plinthar::win32 {

// The answer to WM_GETOBJECT for the control's client area (OBJID_CLIENT):
// the system's standard object for the control, with the name of the form's
// table and the role of the control's kind. Everything else (the state, the
// text as value, the location, the default action) stays as the system
// computes it. Other object identifiers get no answer here (nullopt): the
// window procedure hands them on, as the system answers them.
std::optional<LRESULT> AnswerGetObject(HWND control, const form::ControlSpec& spec, WPARAM wParam,
                                       LPARAM lParam);

// Has a control of a system class (edit box, button, static text), just
// created with its identifier from the form's table, answer WM_GETOBJECT
// with AnswerGetObject for the rest of its life. The form's own window
// classes answer in their window procedures.
void AnswerAsInTable(HWND control);

}  // namespace plinthar::win32
