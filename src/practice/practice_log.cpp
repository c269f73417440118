// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice_log.h"

Q_LOGGING_CATEGORY(lcPractice, "chengmu.practice", QtWarningMsg)
