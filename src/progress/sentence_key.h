// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace progress {

// How a sentence is known in the learner's progress, whatever lesson it came from: its words in
// lower case, without the punctuation around them, one space apart. "Hello,  Tom!" and
// "hello tom" are the same sentence; an apostrophe or hyphen inside a word stays ("don't").
QString sentenceKey(const QString& english);

// The words of `english` as sentenceKey() sees them, for counting missed words.
QString wordKey(const QString& word);

}  // namespace progress
