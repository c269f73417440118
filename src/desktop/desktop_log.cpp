// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_log.h"

namespace character {

Q_LOGGING_CATEGORY(lcCharacter, "chengmu.character")
Q_LOGGING_CATEGORY(lcSpeechLoading, "chengmu.speech")

}  // namespace character
