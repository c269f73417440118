// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>
#include <vector>

#include "character_data.h"

namespace character {

enum class BalloonKind { Speech, Thought };

// A stretch of a balloon's text that is drawn marked (red and underlined): a word the learner
// left out of a reading.
struct MarkedRange {
  qsizetype offset = 0;
  qsizetype length = 0;
  bool operator==(const MarkedRange&) const = default;
};

// What a character looks like at one moment: a keyframe of one of its animations, and the
// mouth shape while it speaks.
struct Pose {
  const Animation* animation = nullptr;
  int frameIndex = 0;
  bool speaking = false;  // when true, `mouth` replaces the keyframe's mouth
  MouthShape mouth = MouthShape::Closed;
};

// Everything the engine shows goes through this interface: windows on the desktop in the real
// program, a recording in tests. The engine calls it only on the UI thread, and only when
// something changed. `id` is the character's ID ("boy").
class Presenter {
 public:
  virtual ~Presenter() = default;
  // A character was loaded; `data` outlives the character.
  virtual void addCharacter(const QString& id, const CharacterData& data) = 0;
  // The character is released: its windows go away.
  virtual void removeCharacter(const QString& id) = 0;
  // Top-left corner and size of the character's frame, in screen pixels.
  virtual void setGeometry(const QString& id, const QRect& frame) = 0;
  virtual void setVisible(const QString& id, bool visible) = 0;
  virtual void setPose(const QString& id, const Pose& pose) = 0;
  // Shows (or updates) the character's balloon: `fullText` is the whole text, `visibleText` the
  // part revealed so far: its beginning, up to the end of a word (see words.h).
  virtual void showBalloon(const QString& id, BalloonKind kind, const QString& fullText,
                           const QString& visibleText) = 0;
  // As showBalloon(), with the `marked` stretches of `fullText` drawn marked. A presenter that
  // draws no marks shows the balloon as showBalloon() does.
  virtual void showMarkedBalloon(const QString& id, BalloonKind kind, const QString& fullText,
                                 const QString& visibleText,
                                 const std::vector<MarkedRange>& /*marked*/) {
    showBalloon(id, kind, fullText, visibleText);
  }
  virtual void hideBalloon(const QString& id) = 0;
};

// Shows nothing; for tools and benchmarks that only need the engine.
class NullPresenter : public Presenter {
 public:
  void addCharacter(const QString&, const CharacterData&) override {}
  void removeCharacter(const QString&) override {}
  void setGeometry(const QString&, const QRect&) override {}
  void setVisible(const QString&, bool) override {}
  void setPose(const QString&, const Pose&) override {}
  void showBalloon(const QString&, BalloonKind, const QString&, const QString&) override {}
  void hideBalloon(const QString&) override {}
};

}  // namespace character
