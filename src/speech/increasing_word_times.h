// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "character/speech.h"

namespace character {

// Word times a balloon can be revealed by, from times an engine gave for an utterance of
// `durationMs`: every word starts where the one before it ended or later and ends no earlier
// than it starts, and all of them lie within the utterance. A word the engine gave no time
// (a start below 0) takes the moment the word before it ended.
void makeWordTimesIncreasing(std::vector<WordTiming>& times, int durationMs);

}  // namespace character
