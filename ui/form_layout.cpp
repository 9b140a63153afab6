#include "form_layout.h"

#include <QWidget>

#include "form_fonts.h"

namespace plinthar {

QRect PixelRect(const ControlSpec& spec) {
  return {TwipsToPixels(spec.left), TwipsToPixels(spec.top), TwipsToPixels(spec.width),
          TwipsToPixels(spec.height)};
}

QString Caption(const ControlSpec& spec) {
  return QString::fromUtf8(spec.caption);
}

void PlaceControl(QWidget& control, const ControlSpec& spec) {
  control.setObjectName(QString::fromUtf8(spec.name));
  control.setGeometry(PixelRect(spec));
  control.setFont(FormFont(spec.pointSize));
}

}  // namespace plinthar
