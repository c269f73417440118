// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QPainter>
#include <QPoint>
#include <QSize>
#include <QString>
#include <vector>

#include "character/presenter.h"

namespace character {

// Text wraps at this width in a balloon.
constexpr int kBalloonTextWidth = 220;

// The font of balloon text: a sans-serif for Latin text, with a Chinese font behind it for the
// characters it lacks.
QFont balloonFont();

// How many characters of `fullText` the engine has revealed when it shows `visibleText`, which
// it always takes from the beginning of the full text, whole words at a time: the characters the
// two have in common from the start.
int revealedLength(const QString& fullText, const QString& visibleText);

// The wrapped text of a balloon. Laid out once from the full text, so the revealed part never
// moves while more words appear.
class BalloonText {
 public:
  BalloonText(const QString& fullText, const QFont& font, int maxWidth = kBalloonTextWidth);

  QSize size() const { return size_; }
  int lineCount() const { return lineCount_; }
  // Draws the first `revealed` characters with their top-left at `origin`, the `marked`
  // stretches red and underlined.
  void draw(QPainter& painter, const QPoint& origin, int revealed, const QColor& color,
            const std::vector<MarkedRange>& marked = {}) const;

 private:
  QString text_;
  QFont font_;
  int maxWidth_;
  QSize size_;
  int lineCount_ = 0;
};

}  // namespace character
