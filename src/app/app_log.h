// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// "chengmu": start-up and the commands. Qt's default message handler prints a line as
// "category: message", so a start-up failure reads "chengmu: cannot start: ...". Warnings and
// worse are on by default; info and debug messages are turned on with QT_LOGGING_RULES, e.g.
// "chengmu*.info=true".
Q_DECLARE_LOGGING_CATEGORY(lcApp)
