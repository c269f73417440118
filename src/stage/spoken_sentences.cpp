// SPDX-License-Identifier: GPL-3.0-or-later
#include "spoken_sentences.h"

namespace stage {

void SpokenSentences::add(const SpokenSentence& sentence, const character::Request& spoken) {
  takeNote();
  queued_.push_back({sentence, spoken});
}

// The pupils say their sentences in the order they were queued: everything before the first
// sentence still pending has begun (running, done) or never will (interrupted, failed before
// this note was taken).
void SpokenSentences::takeNote() {
  while (!queued_.empty()) {
    const character::RequestStatus status = queued_.front().spoken.Status();
    if (status == character::RequestStatus::Pending) return;
    if (status == character::RequestStatus::Running || status == character::RequestStatus::Done) {
      last_ = queued_.front().sentence;
    }
    queued_.pop_front();
  }
}

std::optional<SpokenSentence> SpokenSentences::last() {
  takeNote();
  return last_;
}

void SpokenSentences::clear() {
  last_.reset();
  queued_.clear();
}

}  // namespace stage
