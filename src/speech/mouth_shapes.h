// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

#include "character/speech.h"

namespace character {

// The mouth shape of one of the US English phones flite and festival use ("pau", "aa", "m", ...).
MouthShape mouthShapeOfEnglishPhone(const QString& phone);

// The mouth shape of one of espeak-ng's phoneme mnemonics ("S;", "yE", "A", "_|", ...).
MouthShape mouthShapeOfEspeakPhoneme(const QString& phoneme);

// Appends a cue at `startMs` unless the mouth already has that shape.
void appendMouthCue(std::vector<MouthCue>& cues, int startMs, MouthShape shape);

}  // namespace character
