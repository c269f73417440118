// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

#include "voice_readings.h"

namespace listening {

// Readings a fit needs at the least: fewer give a transform that fits the few sentences said.
inline constexpr std::size_t kFewestReadingsToFit = 8;

// How much of the transform fitted to the readings is taken (weighTransform()): the most that let
// no more of another sentence's words be heard than no fit, on the benchmark's tune readings; the
// whole of it let more through in a noisy or clipped room (docs/listening.md).
inline constexpr double kFitWeight = 0.5;

// Fits the recogniser's model (a folder as ScorerSettings::modelDirectory) to the speaker of
// `readings`: one linear transform of the model's means (MLLR) that makes them explain the
// readings of their sentences best, computed by sphinxtrain's bw and mllr_solve, written to
// `transformPath` whole or not at all, `weight` of it taken. A few seconds of CPU for sixty
// readings. False, with the reason in `error`, when sphinxtrain is missing, the readings are too
// few or cannot be read, or a tool fails.
bool fitVoice(const QString& modelDirectory, const std::vector<KeptReading>& readings,
              const QString& transformPath, QString& error, double weight = kFitWeight);

}  // namespace listening
