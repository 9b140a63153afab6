#include "control_placement.h"

#include <QWidget>

#include "form_fonts.h"
#include "plinthar/form/screen_units.h"

namespace plinthar {

QString Caption(const form::ControlSpec& spec) {
  return QString::fromUtf8(spec.caption);
}

void PlaceControl(QWidget& control, const form::ControlSpec& spec) {
  control.setObjectName(QString::fromUtf8(spec.name));
  const form::PixelRect rect = form::ControlRect(spec);
  control.setGeometry(rect.left, rect.top, rect.width, rect.height);
  control.setFont(FormFont(spec.pointSize));
  // Buttons and labels are called by their captions, which Qt reads itself.
  if (*spec.accessibleName != '\0') {
    control.setAccessibleName(QString::fromUtf8(spec.accessibleName));
  }
}

}  // namespace plinthar
