#include "platform/Fonts.h"

#include <QFont>

namespace plat {
void RegisterFontSubstitutions() {
  QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
  QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
}
}  // namespace plat
