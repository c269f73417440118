// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "synthesizer.h"

namespace character {

// Speech through espeak-ng, for Chinese characters ("cmn-latn-pinyin") and any other espeak-ng
// voice. espeak-ng keeps one global state, so one worker thread of the process owns it and does
// all its synthesis; synthesize() hands the text to that thread and waits for the result.
//
// VoiceSettings: voice = an espeak-ng voice name, with a variant if wanted ("en-us+klatt4");
// pitchHz = mean pitch in Hz as a male voice would have it (0: the voice's own; a female variant
// such as "+f3" sounds about twice as high for the same value); pitchRange = espeak-ng's range
// setting, 0 to 100 (0: its default, 50); rate = speed (1.0: 175 words a minute); formantScale =
// how far the whole voice, formants included, is shifted up (1.0: not at all).
class EspeakSynthesizer : public Synthesizer {
 public:
  SynthesizedRun synthesize(const QString& text, const VoiceSettings& voice) override;
};

}  // namespace character
