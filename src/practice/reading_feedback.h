// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

#include "character/speak_style.h"
#include "listening/listener.h"
#include "stage/cast.h"

namespace practice {

// The pupil says the words the learner left out at this pace.
inline constexpr double kMissedWordsPace = 0.65;

// The host's note on a scored reading: `sentence` with every word the learner left out marked,
// and how many of its words were heard, as in "I like green apples. (3/4)". Where the words
// cannot be found in the sentence as written, the note shows the words alone.
character::SpeakStyle scoredNote(const QString& sentence,
                                 const std::vector<listening::WordScore>& words);

// Queues the host's answer to a scored reading of `sentence`: his balloon shows the note; every
// word heard: he says "Well done!" and then plays "Congratulate"; otherwise he says "Try again." and
// the pupil who said the sentence then says the words left out, slowly. Returns the request
// that ends the answer.
character::Request answerScoredReading(stage::Cast& cast, const stage::SpokenSentence& sentence,
                                       const std::vector<listening::WordScore>& words);

// What the host says when a reading gives no score.
QString problemLine(listening::ReadingProblem problem);
character::Request answerReadingProblem(stage::Cast& cast, listening::ReadingProblem problem);

}  // namespace practice
