// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "character/speech.h"

namespace character {

// The speech service of the running program: synthesised voices played through one mixer.
std::unique_ptr<SpeechService> createSpeechService();

}  // namespace character
