// SPDX-License-Identifier: GPL-3.0-or-later
#include "logging.h"

namespace character {

Q_LOGGING_CATEGORY(lcCharacter, "chengmu.character")
Q_LOGGING_CATEGORY(lcSpeech, "chengmu.speech")

}  // namespace character
