#pragma once

#include <QString>

#include "plinthar/form/form_table.h"

class QWidget;

namespace plinthar {

QString Caption(const form::ControlSpec& spec);

// Gives a freshly created control its object name, its rectangle at the
// form's 96 dpi (Qt scales it on screens of other densities), its font and
// the accessible name that the table gives it.
void PlaceControl(QWidget& control, const form::ControlSpec& spec);

}  // namespace plinthar
