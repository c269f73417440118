// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "desktop/balloon_window.h"

namespace app {

// The program's windows the characters' balloons keep clear of, as they stand when a balloon is
// placed: the bar `toolbar` and, while it is shown, the sentence window.
character::KeepClearAreas windowsBalloonsKeepClearOf(QWidget& toolbar);

}  // namespace app
