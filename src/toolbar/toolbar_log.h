// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// "chengmu.toolbar": the bar's own event handlers.
Q_DECLARE_LOGGING_CATEGORY(lcToolbar)
