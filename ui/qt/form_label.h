#pragma once

#include <QLabel>
#include <QRect>
#include <QString>

namespace plinthar {

// A caption of the form. The pin boxes touch the pin labels by one pixel
// row, so every pin the window shows makes Qt repaint the labels over that
// row, laying out their text again. A repaint that misses the caption's
// letters draws nothing here: the label has no background, so the pixels are
// the same as if it had drawn its text clipped to the repainted rows.
class FormLabel : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // Where the letters' pixels can fall, in the label's coordinates.
  [[nodiscard]] QRect InkRect();

  // The ink rectangle and what it was measured for.
  QRect ink_;
  QString inkText_;
  QRect inkContents_;
  QFont inkFont_;
  Qt::Alignment inkAlignment_;
};

}  // namespace plinthar
