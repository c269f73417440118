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

QString grammarHead(const char* name, int wordCount) {
  return QStringLiteral("FSG_BEGIN %1\nNUM_STATES %2\nSTART_STATE 0\nFINAL_STATE %3\n")
      .arg(QLatin1String(name))
      .arg(2 * wordCount + 1)
      .arg(wordCount);
}

// From place `from` through a loop of any phones (state `loop`) to place `from` + 1.
QString phoneLoop(int from, int loop, const GrammarWeights& weights) {
  QString arcs = transition(from, loop, weights.otherThanWord);
  for (const QString& phone : recogniserPhones())
    arcs += transition(loop, loop, weights.phoneInsteadOfWord, phoneWord(phone));
  return arcs + transition(loop, from + 1, 1.0);
}

}  // namespace

// States 0..n mark the places between the words (0 before the first, n after the last);
// state n + 1 + i is the phone loop standing for word i.
QString readingGrammar(const QStringList& dictionaryWords, const GrammarWeights& weights) {
  const int count = int(dictionaryWords.size());
  QString grammar = grammarHead("reading", count);
  for (int i = 0; i < count; ++i) {
    if (!dictionaryWords[i].isEmpty()) grammar += transition(i, i + 1, 1.0, dictionaryWords[i]);
    grammar += phoneLoop(i, count + 1 + i, weights);
  }
  return grammar + QStringLiteral("FSG_END\n");
}

QString recheckGrammar(const QStringList& dictionaryWords,
                       const std::vector<FirstHearing>& firstHearing,
                       const GrammarWeights& weights) {
  const int count = int(dictionaryWords.size());
  QString grammar = grammarHead("recheck", count);
  for (int i = 0; i < count; ++i) {
    if (!dictionaryWords[i].isEmpty()) grammar += transition(i, i + 1, 1.0, dictionaryWords[i]);
    if (firstHearing[std::size_t(i)] == FirstHearing::Doubtful)
      grammar += transition(i, i + 1, weights.leaveOutDoubtfulWord);
    else if (firstHearing[std::size_t(i)] == FirstHearing::Missed)
      grammar += phoneLoop(i, count + 1 + i, weights);
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
