// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "synthesizer.h"

namespace character {

// English through flite, in the voices "rms", "slt" and "awb", each registered the first time it
// speaks; safe to use from several threads at once.
//
// VoiceSettings: voice = one of those names; pitchHz = mean pitch in Hz and pitchRange = its
// standard deviation in Hz (0: the voice's own); rate = speed (1.0: the voice's own);
// formantScale = how far the whole voice, formants included, is shifted up (1.0: not at all).
class FliteSynthesizer : public Synthesizer {
 public:
  SynthesizedRun synthesize(const QString& text, const VoiceSettings& voice) override;
};

}  // namespace character
