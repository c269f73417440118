// SPDX-License-Identifier: GPL-3.0-or-later
#include "font_substitutions.h"

#include <QFont>
#include <QStringList>

namespace platform {

void installFontSubstitutions() {
  QFont::insertSubstitutions(QStringLiteral("宋体"),
                             {QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW")});
  QFont::insertSubstitutions(QStringLiteral("楷体_GB2312"),
                             {QStringLiteral("AR PL UKai CN"), QStringLiteral("AR PL UKai TW")});
  QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}

}  // namespace platform
