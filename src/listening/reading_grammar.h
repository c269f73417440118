// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace listening {

// The recogniser's phones; each is also a dictionary word of its own (phoneWord()), so a
// grammar can say "any sound" as a loop of them.
const QStringList& recogniserPhones();
QString phoneWord(const QString& phone);
// Whether a decoded word is one of the phones' own words.
bool isPhoneWord(const QString& word);

// How much a reading may stray from the sentence. Probabilities of the grammar's arcs; a word
// of the sentence itself has probability 1.
struct GrammarWeights {
  // Something other than the word (or nothing) said in the word's place.
  double otherThanWord = 1e-4;
  // Each phone said instead of the word.
  double phoneInsteadOfWord = 0.05;
  // How much worse than free phones a word's own phones may explain its sound, in natural log a
  // 10 ms frame, and still count as said (wordBeatsFreePhones()).
  double freePhonesMarginPerFrame = 3.0;
  // A reading whose speech the sentence's words explain less than this share of (the rest taken
  // by the phones said instead of words) was mostly something else: then a word counts as said
  // only when its own phones explain its sound better than free phones, by
  // `marginWhenMostlyOtherSpeech` a frame (a negative margin).
  double sentenceShareOfSpeech = 0.5;
  double marginWhenMostlyOtherSpeech = -2.0;
  // A word heard that explains its sound worse than free phones is heard again with the words
  // around it, where it may also be left out with this probability (recheckGrammar()).
  double leaveOutDoubtfulWord = 0.01;
};

// How the first decode heard each word of the sentence.
enum class FirstHearing { Missed, Heard, Doubtful };

// The words a reading can be heard as, in the recogniser's finite-state grammar format: the
// sentence's words in order, each either said or replaced by a loop of any phones (possibly
// none). `dictionaryWords[i]` is the recogniser's word for the sentence's i-th word, empty
// when the word cannot be said in English (then only the loop stands in its place).
QString readingGrammar(const QStringList& dictionaryWords, const GrammarWeights& weights);

// The sentence again, for a second look at the words heard doubtfully: a word heard stays said,
// a doubtful word is said or left out (`leaveOutDoubtfulWord`), a word missed keeps its loop of
// any phones. A doubtful word squeezed in between two words that were said is left out once
// nothing else forces it in: its neighbours take their own sound back.
QString recheckGrammar(const QStringList& dictionaryWords,
                       const std::vector<FirstHearing>& firstHearing,
                       const GrammarWeights& weights);

// Any phones in any order, each with probability `phoneProbability`: the best explanation of a
// reading's sounds that no sentence constrains.
QString freePhonesGrammar(double phoneProbability);

}  // namespace listening
