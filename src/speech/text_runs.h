// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

#include "base/words.h"

namespace character {

// A stretch of one sentence that one voice can say: Chinese characters, or the rest.
struct TextRun {
  qsizetype offset = 0;
  QString text;
  bool chinese = false;
};

// Splits `text` into sentences: after . ! ? ; followed by a blank (see words.h) or the end, and
// after the full-width 。！？； wherever they stand. Blanks between sentences belong to neither.
std::vector<base::TextSpan> splitSentences(const QString& text);

// Splits `text` into sentences, and each sentence into runs of Chinese characters and of the
// rest. Blanks, punctuation, symbols and digits say nothing about the language and stay with the
// run they are in (at the start of a sentence, with the run that follows).
std::vector<TextRun> splitIntoRuns(const QString& text);

}  // namespace character
