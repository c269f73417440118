// SPDX-License-Identifier: GPL-3.0-or-later
#include "sentence_key.h"

#include <QStringList>

#include "base/words.h"

namespace progress {

QString wordKey(const QString& word) {
  qsizetype first = 0;
  qsizetype end = word.size();
  while (first < end && !word[first].isLetterOrNumber()) ++first;
  while (end > first && !word[end - 1].isLetterOrNumber()) --end;
  return word.mid(first, end - first).toLower();
}

QString sentenceKey(const QString& english) {
  QStringList words;
  for (const QString& word : base::splitWords(english)) {
    const QString key = wordKey(word);
    if (!key.isEmpty()) words.append(key);
  }
  return words.join(QLatin1Char(' '));
}

}  // namespace progress
