// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

#include "character/speech.h"

namespace character {

// Word times for `text` when an engine gives none that can be trusted: `durationMs` shared out
// over the words of splitWords(text) by their length.
std::vector<WordTiming> spreadOverWords(const QString& text, int durationMs);

}  // namespace character
