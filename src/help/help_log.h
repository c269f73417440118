// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// "chengmu.help": the help window.
Q_DECLARE_LOGGING_CATEGORY(lcHelp)
