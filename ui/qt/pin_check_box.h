#pragma once

#include <QCheckBox>

namespace plinthar {

// A caption-less check box for one port pin. Its state belongs to the
// converter core: a click only reports itself (clicked()), the core flips the
// pin and runs its click handling, and the window then shows the new state.
// Were the box to flip itself as well, the pin would change twice.
class PinCheckBox : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  // Without a caption Qt would only take clicks on the small indicator; the
  // whole box is the pin's target.
  [[nodiscard]] bool hitButton(const QPoint& pos) const override;
  void nextCheckState() override;
};

}  // namespace plinthar
