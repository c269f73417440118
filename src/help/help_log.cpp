// SPDX-License-Identifier: GPL-3.0-or-later
#include "help_log.h"

Q_LOGGING_CATEGORY(lcHelp, "chengmu.help", QtWarningMsg)
