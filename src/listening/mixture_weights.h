// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace listening {

// Writes the acoustic model's mixture weights as sphinxtrain's tools read them
// ("mixture_weights": an s3 file of 32-bit floats, senone by stream by codeword), from the
// quantised copy the recogniser loads ("sendump": one byte per weight, the weight's log in base
// 1.0001 shifted right by 10 and negated). The model as Debian ships it holds only the latter.
// False, with the reason in `error`, when `sendumpPath` is not such a file or `outPath` cannot
// be written.
bool writeMixtureWeights(const QString& sendumpPath, const QString& outPath, QString& error);

}  // namespace listening
