// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "character_data.h"
#include "presenter.h"
#include "request.h"
#include "speak_style.h"
#include "speech.h"

namespace character {

enum class ActionKind { MoveTo, Show, Hide, Play, Speak, Think, Wait };

// One queued call of a character, with what it needs to play.
struct Action {
  ActionKind kind = ActionKind::Show;
  float pace = 1.0F;  // Speak
  Request request;
  QPoint target;                         // MoveTo
  const Animation* animation = nullptr;  // Play
  QString text;                          // Speak, Think
  // Speak with a note above the spoken words: the note and its marks. Kept apart, since a
  // lesson queues millions of actions and hardly any has a note.
  std::shared_ptr<const SpeakStyle> noted;
  Request awaited;                         // Wait
  std::shared_ptr<PreparedSpeech> speech;  // Speak, once its preparation has begun
};

// The balloon a character shows: its text and when it goes away.
struct BalloonState {
  bool shown = false;
  BalloonKind kind = BalloonKind::Speech;
  QString fullText;
  std::vector<qsizetype> wordEnds;  // end offset in fullText of each spoken word
  int revealedWords = 0;
  std::optional<std::int64_t> hideAtMs;
  qsizetype shownFromStart = 0;  // the note of a speech and the line break after it
  std::vector<MarkedRange> marked;
};

// What the engine knows of one character. Only the engine touches it.
struct CharacterState {
  CharacterData data;
  QRect frame;
  bool visible = false;
  std::deque<Action> queue;

  // The action being played, if any.
  std::optional<Action> running;
  std::int64_t runningSinceMs = 0;
  std::optional<std::int64_t> runningUntilMs;  // unset while it waits for something
  QPoint moveFrom;

  // The animation being shown.
  const Animation* animation = nullptr;
  int frameIndex = 0;
  std::int64_t frameSinceMs = 0;
  bool loopAnimation = false;

  // Speech being played.
  std::shared_ptr<PreparedSpeech> speech;
  std::int64_t speechSinceMs = 0;
  MouthShape mouth = MouthShape::Closed;

  BalloonState balloon;
};

}  // namespace character
