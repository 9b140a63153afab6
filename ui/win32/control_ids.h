#pragma once

#include "plinthar/form/form_table.h"

// The child window identifier of every control of the form, taken from its
// place in the form's table, so that one table names the controls for the
// window and its notifications.
namespace plinthar::win32 {

// Past IDOK and IDCANCEL, which the dialog manager sends to the window for
// Enter and Escape: no control may answer to them.
inline constexpr int kFirstControlId = 1000;

constexpr int ControlId(const form::ControlSpec& spec) {
  return kFirstControlId + static_cast<int>(form::ControlIndex(spec));
}

// The control with that identifier, nullptr for an identifier of no control.
constexpr const form::ControlSpec* ControlWithId(int id) {
  const int index = id - kFirstControlId;
  if (index < 0 || index >= static_cast<int>(form::kControls.size())) {
    return nullptr;
  }
  return form::kControls.at(static_cast<std::size_t>(index));
}

}  // namespace plinthar::win32
