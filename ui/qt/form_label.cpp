#include "form_label.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QStyle>

namespace plinthar {

void FormLabel::paintEvent(QPaintEvent* event) {
  if (event->region().intersects(InkRect())) {
    QLabel::paintEvent(event);
  }
}

QRect FormLabel::InkRect() {
  if (text() != inkText_ || contentsRect() != inkContents_ || font() != inkFont_ ||
      alignment() != inkAlignment_) {
    inkText_ = text();
    inkContents_ = contentsRect();
    inkFont_ = font();
    inkAlignment_ = alignment();
    // Placed as QLabel places a plain text: its line box in the contents,
    // the baseline one ascent below the line's top.
    const QFontMetrics metrics(inkFont_);
    const int flags =
        static_cast<int>(QStyle::visualAlignment(layoutDirection(), inkAlignment_).toInt());
    const QRect line = style()->itemTextRect(metrics, inkContents_, flags, isEnabled(), inkText_);
    // Antialiasing and hinting may reach a pixel or so beyond the outlines.
    constexpr int kMargin = 2;
    ink_ = metrics.tightBoundingRect(inkText_)
               .translated(line.left(), line.top() + metrics.ascent())
               .adjusted(-kMargin, -kMargin, kMargin, kMargin);
  }
  return ink_;
}

}  // namespace plinthar
