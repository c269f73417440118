// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "synthesizer.h"

namespace character {

// English through festival, in any voice festival has installed ("cmu_us_slt_arctic_hts", the
// voice function's name without "voice_"). festival runs in a process of its own
// (festival_process.h) and says one text at a time; safe to call from several threads.
//
// VoiceSettings: voice = that name; pitchHz = mean pitch in Hz (0: the voice's own), reached
// by shifting the pitch with the formants kept, for the voices whose own pitch is known
// (kFestivalVoicePitches); pitchRange is not used; rate = speed (1.0: the voice's own);
// formantScale = how far the whole voice, formants included, is shifted up (1.0: not at all).
class FestivalSynthesizer : public Synthesizer {
 public:
  SynthesizedRun synthesize(const QString& text, const VoiceSettings& voice) override;
};

}  // namespace character
