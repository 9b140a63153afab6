#pragma once

#include <QFont>

namespace plinthar {

// The form's "宋体" at the given size. Where that font is missing, the
// fallbacks are fixed-pitch CJK fonts whose half-width characters are half an
// em wide, as 宋体's are: the pin names under the boxes rely on that pitch.
QFont FormFont(qreal pointSize);

}  // namespace plinthar
