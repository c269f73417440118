// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// "chengmu.lesson": reading lessons.
Q_DECLARE_LOGGING_CATEGORY(lcLesson)
