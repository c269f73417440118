// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// "chengmu.practice": the learner's turn and the host's answers.
Q_DECLARE_LOGGING_CATEGORY(lcPractice)
