// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace listening {

// Whether `transformPath` holds a whole transform of the means of the model in `modelDirectory`
// (as ScorerSettings::modelDirectory), as the recogniser reads it: its classes, its streams and
// their widths (those of the model's feature streams), then per stream its width and per class
// a square matrix, a shift and a scale, every number finite. The recogniser reads such a file
// without checking it, and stops the program on one that is cut short or made for another
// model: what it is given must pass this first.
bool transformFitsModel(const QString& transformPath, const QString& modelDirectory);

// Takes `weight` (0 to 1) of the transform in `transformPath`, the rest of leaving the model as it
// is: each matrix becomes weight·A + (1 − weight)·I, each shift weight·b, the scales stay. False,
// and the file as it was, when it does not hold a whole transform or cannot be written.
bool weighTransform(const QString& transformPath, double weight);

}  // namespace listening
