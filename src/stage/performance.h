// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>

#include "cast.h"

namespace stage {

// The thought the host shows for a translation: a blank before each character (code point), so
// "你好" becomes " 你 好", a character beyond the Basic Multilingual Plane stays whole and an
// empty translation stays empty.
QString thoughtText(const QString& translation);

// Odd counts give the turn to the girl, even ones to the boy.
bool isGirlsTurn(std::int32_t LineCounter);

// Queues the performance of one lesson line, already counted in LineCounter: the pupil whose
// turn it is speaks `sentence`, the host stands over the speaker and, once the sentence has
// been spoken, thinks the spaced-out `translation`; the other pupil then waits for that
// thought. An empty sentence queues nothing. Throws character::AgentError when a call fails.
void PerformSentence(Cast& cast, const QString& sentence, const QString& translation,
                     std::int32_t LineCounter);

// The "读" command's performance: the host goes home and the girl stops; then, unless
// `sentence` is empty, the pupil whose turn LineCounter gives speaks it. Nobody waits for
// anyone. Returns whether a sentence was spoken (the line count then moves on by one).
bool SpeakTypedSentence(Cast& cast, const QString& sentence, std::int32_t LineCounter);

// The pupil who says a typed sentence at this LineCounter.
Role typedSentenceSpeaker(std::int32_t LineCounter);

// The pupil who said `sentence` says it again, at the sentences' pace (Cast::sentencePace()).
void SayAgain(Cast& cast, const SpokenSentence& sentence);

// A sentence practised again (a review, a drill): its pupil says it, kept as said, and once it
// has been said the host thinks `label` (such as "3/15") and the spaced-out translation, when
// there is either. Returns the request that ends the presentation.
character::Request PresentForPractice(Cast& cast, const SpokenSentence& sentence,
                                      const QString& label = QString());

}  // namespace stage
