#include "form_fonts.h"

#include <QStringList>

namespace plinthar {

QFont FormFont(qreal pointSize) {
  // A bare family name is resolved per locale by fontconfig, which can pick a
  // proportional font; an explicit list keeps the choice the same everywhere.
  QFont font;
  font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("NSimSun"),
                    QStringLiteral("WenQuanYi Zen Hei Mono"), QStringLiteral("AR PL UMing CN"),
                    QStringLiteral("Noto Sans Mono CJK SC")});
  font.setPointSizeF(pointSize);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  return font;
}

}  // namespace plinthar
