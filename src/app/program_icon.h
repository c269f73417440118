// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace app {

// The program's own icon (art/icon.svg), drawn at 16, 32 and 48 pixels: the application's icon,
// which every window of the program shows.
QIcon programIcon();

}  // namespace app
