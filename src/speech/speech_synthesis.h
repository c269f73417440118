// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>

#include "audio_clip.h"
#include "character/speech.h"
#include "synthesizer.h"

namespace character {

// A whole text said aloud: the clip to play and its timing.
struct SpokenText {
  Utterance utterance;
  Samples samples;
};

// The engines by the names VoiceSettings::engine uses ("flite", "espeak-ng").
using SynthesizerTable = QHash<QString, Synthesizer*>;

// Says `text`: sentence by sentence, each Chinese run in `chinese`, the rest in `english`, one
// after another in one clip. Word times are given per word of splitWords(text). A run no engine
// can say (no such voice, or the engine failed or threw) becomes silence as long as reading it
// aloud would take.
SpokenText synthesizeText(const QString& text, const VoiceSettings& english,
                          const VoiceSettings& chinese, const SynthesizerTable& engines);

}  // namespace character
