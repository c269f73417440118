// SPDX-License-Identifier: GPL-3.0-or-later
#include "log.h"

Q_LOGGING_CATEGORY(lcApp, "chengmu", QtWarningMsg)
Q_LOGGING_CATEGORY(lcLesson, "chengmu.lesson", QtWarningMsg)
Q_LOGGING_CATEGORY(lcHelp, "chengmu.help", QtWarningMsg)
