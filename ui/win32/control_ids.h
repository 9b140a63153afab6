#pragma once

#include <cstddef>
#include <string_view>

#include "plinthar/form/form_table.h"

// The child window identifier of every control of the form, taken from its
// place in the form's table, so that one table names the controls for the
// window, its notifications and the tests.
namespace plinthar::win32 {

// Past IDOK and IDCANCEL, which the dialog manager sends to the window for
// Enter and Escape: no control may answer to them.
inline constexpr int kFirstControlId = 1000;

// The control's place in form::kControls.
constexpr std::size_t ControlIndex(const form::ControlSpec& spec) {
  std::size_t index = 0;
  while (index < form::kControls.size() && form::kControls.at(index) != &spec) {
    ++index;
  }
  return index;
}

constexpr int ControlId(const form::ControlSpec& spec) {
  return kFirstControlId + static_cast<int>(ControlIndex(spec));
}

// The identifier of the control of that name ("Check1"), 0 for none.
constexpr int ControlId(std::string_view name) {
  for (const form::ControlSpec* spec : form::kControls) {
    if (spec->name == name) {
      return ControlId(*spec);
    }
  }
  return 0;  // no window has the identifier 0
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
