// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

namespace listening {

// "chengmu.listening": loading the listening module and the recogniser, and their failures.
Q_DECLARE_LOGGING_CATEGORY(lcListening)

}  // namespace listening
