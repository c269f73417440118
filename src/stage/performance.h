#pragma once

#include <QString>
#include <cstdint>

#include "cast.h"

namespace stage {

// The thought vemo shows for a translation: a blank before each 16-bit unit, so "你好" becomes
// " 你 好" and an empty translation stays empty.
QString thoughtText(const QString& translation);

// The line count after one more line or typed sentence. Throws std::overflow_error instead of
// going past the largest 32-bit count.
std::int32_t nextLineCount(std::int32_t LineCounter);

// Odd counts give the turn to girl, even ones to boy.
bool isGirlsTurn(std::int32_t LineCounter);

// Queues the performance of one lesson line, already counted in LineCounter: the pupil whose
// turn it is speaks `sentence`, vemo stands over the speaker and, once the sentence has been
// spoken, thinks the spaced-out `translation`; the other pupil then waits for that thought.
// An empty sentence queues nothing. Throws character::AgentError when a call fails.
void PerformSentence(Cast& cast, const QString& sentence, const QString& translation,
                     std::int32_t LineCounter);

// The "读" command: vemo goes home and girl stops; then, unless `sentence` is empty, the pupil
// whose turn it is speaks it and LineCounter moves on by one. Nobody waits for anyone.
void SpeakTypedSentence(Cast& cast, const QString& sentence, std::int32_t& LineCounter);

}  // namespace stage
