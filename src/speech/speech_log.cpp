// SPDX-License-Identifier: GPL-3.0-or-later
#include "speech_log.h"

namespace character {

Q_LOGGING_CATEGORY(lcSpeech, "chengmu.speech")

}  // namespace character
