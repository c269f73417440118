// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace listening {

// A stretch of the reading as the recogniser decoded it: a word, a phone or a filler, its first
// and last 10 ms frame and how well its sound fits it (acoustic log-likelihood, natural log).
struct DecodedSegment {
  QString word;
  int startFrame = 0;
  int endFrame = 0;
  double acousticScore = 0;
};

// How well free phones explain frames [startFrame, endFrame], from a decode of the whole reading
// with any phones in any order: each phone's score shared out over its frames.
double freePhonesScore(const std::vector<DecodedSegment>& freePhones, int startFrame, int endFrame);

// A word the sentence's grammar heard was said only when its own phones explain its frames
// about as well as the best free phones do: within `marginPerFrame` (natural log) a frame. A
// word forced onto sounds of other words fits them far worse than free phones.
bool wordBeatsFreePhones(const DecodedSegment& word, const std::vector<DecodedSegment>& freePhones,
                         double marginPerFrame);

// The share of a reading's speech that the sentence's words explain: the frames of the decoded
// segments that are one of `sentenceWords` over the frames of those and of the phones said in a
// word's place (segments named by phoneWord()); silence and noise count for neither. 0 when the
// reading holds neither.
double sentenceShareOfSpeech(const std::vector<DecodedSegment>& reading,
                             const QStringList& sentenceWords);

}  // namespace listening
