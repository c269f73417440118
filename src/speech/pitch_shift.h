// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audio_clip.h"

namespace character {

// `samples` (mono, at `sampleRate`) with every pitch moved by `semitones` while the formants,
// the size of the speaker's throat, stay where they are (libRubberBand's finer engine): the
// same speaker, higher or lower. The length does not change.
Samples shiftPitchKeepingFormants(const Samples& samples, int sampleRate, double semitones);

}  // namespace character
