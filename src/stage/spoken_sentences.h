// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <deque>
#include <optional>

#include "character/request.h"
#include "role.h"

namespace stage {

// A sentence a pupil said: a lesson line or a typed sentence.
struct SpokenSentence {
  Role speaker;
  QString text;
};

// The sentences the pupils were given to say, in the order they say them, to find the one said
// last. A lesson queues all its lines at once, so what counts is what the characters have begun
// to say, not what was queued.
class SpokenSentences {
 public:
  // `spoken` is the request of the Speak that says `sentence`.
  void add(Role speaker, const QString& sentence, const character::Request& spoken);
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
