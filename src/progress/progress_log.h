// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// "chengmu.progress": the learner's progress store and review.
Q_DECLARE_LOGGING_CATEGORY(lcProgress)
