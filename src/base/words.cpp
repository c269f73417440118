// SPDX-License-Identifier: GPL-3.0-or-later
#include "words.h"

namespace base {

std::vector<TextSpan> wordSpans(const QString& text) {
  std::vector<TextSpan> words;
  qsizetype start = -1;
  for (qsizetype i = 0; i <= text.size(); ++i) {
    const bool blank = i == text.size() || isBlank(text.at(i));
    if (!blank && start < 0) start = i;
    if (blank && start >= 0) {
      words.push_back({start, text.mid(start, i - start)});
      start = -1;
    }
  }
  return words;
}

QStringList splitWords(const QString& text) {
  QStringList words;
  for (const TextSpan& word : wordSpans(text)) words.append(word.text);
  return words;
}

std::vector<qsizetype> wordEnds(const QString& text) {
  std::vector<qsizetype> ends;
  for (const TextSpan& word : wordSpans(text)) ends.push_back(word.offset + word.text.size());
  return ends;
}

QString withPlainBlanks(const QString& text) {
  QString plain = text;
  for (QChar& c : plain) {
    if (isBlank(c)) c = QLatin1Char(' ');
  }
  return plain;
}

}  // namespace base
