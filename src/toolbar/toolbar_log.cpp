// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolbar_log.h"

Q_LOGGING_CATEGORY(lcToolbar, "chengmu.toolbar", QtWarningMsg)
