// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTextStream>

namespace listening {

// Exit statuses of the scoring command.
inline constexpr int kScoreDone = 0;
inline constexpr int kScoreFailed = 1;   // the recogniser could not be loaded or run
inline constexpr int kScoreBadFile = 2;  // the sound file is missing or not 16-bit PCM WAV

// `--score WAV "sentence"`: scores the reading in the WAV file against the sentence and
// prints one line per word, `word<TAB>heard` or `word<TAB>missed`, then `score N/M`.
// Problems go to `err`; returns the exit status.
int runScoreCommand(const QString& wavPath, const QString& sentence, QTextStream& out,
                    QTextStream& err);

}  // namespace listening
