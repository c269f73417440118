// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson_log.h"

Q_LOGGING_CATEGORY(lcLesson, "chengmu.lesson", QtWarningMsg)
