#pragma once

#include <string_view>

#include "plinthar/form/form_table.h"

namespace plinthar::testing {

// The control of the form's table with that name ("Check1"), nullptr for
// none: tests name controls as a user of the form does.
inline const form::ControlSpec* ControlNamed(std::string_view name) {
  for (const form::ControlSpec* spec : form::kControls) {
    if (spec->name == name) {
      return spec;
    }
  }
  return nullptr;
}

}  // namespace plinthar::testing
