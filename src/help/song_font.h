// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

namespace help {

// "宋体" in the given size, regular weight, as the help window's controls use it. The family is
// mapped to an installed font by platform::installFontSubstitutions().
QFont songFont(qreal pointSize, bool underlined = false);

}  // namespace help
