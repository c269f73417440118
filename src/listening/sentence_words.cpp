// SPDX-License-Identifier: GPL-3.0-or-later
#include "sentence_words.h"

#include "base/words.h"

namespace listening {

namespace {

bool isWordCharacter(QChar c) {
  return c.isLetterOrNumber();
}

QString withoutPunctuationAround(const QString& run) {
  qsizetype first = 0;
  qsizetype last = run.size();
  while (first < last && !isWordCharacter(run[first])) ++first;
  while (last > first && !isWordCharacter(run[last - 1])) --last;
  return run.mid(first, last - first);
}

}  // namespace

QStringList sentenceWords(const QString& sentence) {
  QStringList words;
  for (const QString& run : base::splitWords(sentence)) {
    const QString word = withoutPunctuationAround(run);
    if (!word.isEmpty()) words << word;
  }
  return words;
}

QString dictionaryKey(const QString& word) {
  QString key = word.toLower();
  key.replace(QChar(0x2019), QLatin1Char('\''));
  key.replace(QChar(0x2018), QLatin1Char('\''));
  return key;
}

}  // namespace listening
