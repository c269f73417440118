// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace listening {

// The words of a sentence as the learner sees them: the words of base::splitWords() without the
// punctuation around them ("leave?" is "leave", "o'clock" and "well-known" stay whole). A run
// of punctuation alone ("-", "...") is no word.
QStringList sentenceWords(const QString& sentence);

// The form a word is looked up by: lower case, typographic apostrophes made plain.
QString dictionaryKey(const QString& word);

}  // namespace listening
