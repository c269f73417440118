// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

#include "character/speech.h"

namespace character {

// Word times for `text` when an engine gives none that can be trusted: `durationMs` shared out
// over the words of splitWords(text) by their length.
std::vector<WordTiming> spreadOverWords(const QString& text, int durationMs);

// The word times an engine gave for `text`, made increasing (makeWordTimesIncreasing()); spread
// over the words instead when the engine's words are not the text's (one time a word of
// splitWords(text)).
std::vector<WordTiming> wordTimesOrSpread(const QString& text, std::vector<WordTiming> engineTimes,
                                          int durationMs);

}  // namespace character
