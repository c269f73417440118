// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <deque>
#include <optional>

#include "character/request.h"
#include "role.h"

namespace stage {

// A sentence a pupil said: a lesson line, a typed sentence or one brought back for review.
struct SpokenSentence {
  Role speaker;
  QString text;
  QString translation = {};  // its Chinese, "" for a typed sentence
  bool lessonLine = false;   // said as a line of the lesson being read
};

// The sentences the pupils were given to say, in the order they say them, to find the one said
// last. A lesson queues all its lines at once, so what counts is what the characters have begun
// to say, not what was queued.
class SpokenSentences {
 public:
  // `spoken` is the request of the Speak that says `sentence`.
  void add(const SpokenSentence& sentence, const character::Request& spoken);
  // Takes note of what has begun to be said. Call it before a Stop: a sentence cut off while
  // being said still counts as said, which its interrupted request alone does not tell.
  void takeNote();
  // The sentence said last or being said now; none before the first has begun.
  std::optional<SpokenSentence> last();
  void clear();

 private:
  struct Queued {
    SpokenSentence sentence;
    character::Request spoken;
  };

  std::optional<SpokenSentence> last_;
  std::deque<Queued> queued_;
};

}  // namespace stage
