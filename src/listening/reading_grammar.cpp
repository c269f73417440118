// SPDX-License-Identifier: GPL-3.0-or-later
#include "reading_grammar.h"

namespace listening {

const QStringList& recogniserPhones() {
  static const QStringList phones = QStringLiteral(
                                        "AA AE AH AO AW AY B CH D DH EH ER EY F G HH IH IY JH K "
                                        "L M N NG OW OY P R S SH T TH UH UW V W Y Z ZH")
                                        .split(QLatin1Char(' '));
  return phones;
}

QString phoneWord(const QString& phone) {
  return QStringLiteral("_") + phone.toLower();
}

bool isPhoneWord(const QString& word) {
  return word.startsWith(QLatin1Char('_')) && recogniserPhones().contains(word.mid(1).toUpper());
}

namespace {

// Probabilities in plain decimals, as grammar files write them.
QString transition(int from, int to, double probability, const QString& word = {}) {
  QString line =
      QStringLiteral("TRANSITION %1 %2 %3").arg(from).arg(to).arg(probability, 0, 'f', 12);
  if (!word.isEmpty()) line += QLatin1Char(' ') + word;
  return line + QLatin1Char('\n');
}

}  // namespace

// States 0..n mark the places between the words (0 before the first, n after the last);
// state n + 1 + i is the phone loop standing for word i.
QString readingGrammar(const QStringList& dictionaryWords, const GrammarWeights& weights) {
  const int count = int(dictionaryWords.size());
  QString grammar = QStringLiteral(
                        "FSG_BEGIN reading\nNUM_STATES %1\nSTART_STATE 0\n"
                        "FINAL_STATE %2\n")
                        .arg(2 * count + 1)
                        .arg(count);
  for (int i = 0; i < count; ++i) {
    const int loop = count + 1 + i;
    if (!dictionaryWords[i].isEmpty()) grammar += transition(i, i + 1, 1.0, dictionaryWords[i]);
    grammar += transition(i, loop, weights.otherThanWord);
    for (const QString& phone : recogniserPhones())
      grammar += transition(loop, loop, weights.phoneInsteadOfWord, phoneWord(phone));
    grammar += transition(loop, i + 1, 1.0);
  }
  return grammar + QStringLiteral("FSG_END\n");
}

QString freePhonesGrammar(double phoneProbability) {
  QString grammar =
      QStringLiteral("FSG_BEGIN phones\nNUM_STATES 2\nSTART_STATE 0\nFINAL_STATE 1\n");
  for (const QString& phone : recogniserPhones())
    grammar += transition(0, 0, phoneProbability, phoneWord(phone));
  return grammar + transition(0, 1, 1.0) + QStringLiteral("FSG_END\n");
}

}  // namespace listening
