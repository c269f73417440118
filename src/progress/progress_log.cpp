// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress_log.h"

Q_LOGGING_CATEGORY(lcProgress, "chengmu.progress", QtWarningMsg)
