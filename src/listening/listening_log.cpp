// SPDX-License-Identifier: GPL-3.0-or-later
#include "listening_log.h"

namespace listening {

Q_LOGGING_CATEGORY(lcListening, "chengmu.listening", QtWarningMsg)

}  // namespace listening
