// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <algorithm>
#include <vector>

#include "audio_clip.h"
#include "character/character_data.h"
#include "character/speech.h"

namespace character {

// One run of text said by one voice, at kMixerSampleRate.
struct SynthesizedRun {
  Samples samples;
  std::vector<WordTiming> words;  // one per word of base::splitWords(text), from the run's start
  std::vector<MouthCue> mouth;    // in time order, from the run's start
};

// How far `voice` is shifted up, formants included: 1 when it is not set, held to 0.7–1.5.
inline double formantScaleOf(const VoiceSettings& voice) {
  return std::clamp(voice.formantScale > 0 ? voice.formantScale : 1.0, 0.7, 1.5);
}

// A speech engine. synthesize() may be called from any thread, several at once.
class Synthesizer {
 public:
  virtual ~Synthesizer() = default;
  // Says `text` in `voice`; every setting of `voice` is applied to this call alone. Returns no
  // samples when the voice cannot be found or the engine fails.
  virtual SynthesizedRun synthesize(const QString& text, const VoiceSettings& voice) = 0;
};

}  // namespace character
