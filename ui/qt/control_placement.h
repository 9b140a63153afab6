#pragma once

#include <QRect>
#include <QString>

#include "plinthar/form/form_table.h"

class QWidget;

namespace plinthar {

// The control's rectangle in pixels at the form's 96 dpi; Qt scales it on
// screens of other densities.
QRect PixelRect(const form::ControlSpec& spec);
QString Caption(const form::ControlSpec& spec);

// Gives a freshly created control its object name, geometry and font.
void PlaceControl(QWidget& control, const form::ControlSpec& spec);

}  // namespace plinthar
