#include "pin_check_box.h"

namespace plinthar {

bool PinCheckBox::hitButton(const QPoint& pos) const {
  return rect().contains(pos);
}

void PinCheckBox::nextCheckState() {
  // The core decides the new state and shows it through setChecked.
}

}  // namespace plinthar
