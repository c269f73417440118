// SPDX-License-Identifier: GPL-3.0-or-later
#include "balloon_window.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "alpha_mask.h"
#include "balloon_shape.h"
#include "overlay_window.h"

namespace character {

namespace {

const QColor kFill(255, 255, 232);
const QColor kOutline(40, 40, 40);
const QColor kTextColour(0, 0, 0);
constexpr double kOutlineWidth = 1.5;
// Without any screen there is nothing to keep the balloon inside.
const QRect kNoScreen(-32768, -32768, 65536, 65536);

QString titleOf(const QString& characterId, BalloonKind kind, const QString& fullText) {
  const QString verb =
      kind == BalloonKind::Thought ? QStringLiteral("thinks") : QStringLiteral("says");
  return QStringLiteral("%1 %2: %3").arg(characterId, verb, fullText);
}

}  // namespace

BalloonWindow::BalloonWindow(const QString& characterId) : characterId_(characterId) {
  makeOverlayWindow(*this);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void BalloonWindow::showText(BalloonKind kind, const QString& fullText, const QString& visibleText,
                             const QRect& characterFrame, const std::vector<MarkedRange>& marked) {
  const bool newContent = !text_ || kind != kind_ || fullText != fullText_ || marked != marked_;
  if (newContent) setContent(kind, fullText, marked);
  const int revealed = revealedLength(fullText, visibleText);
  if (newContent || revealed != revealed_) {
    revealed_ = revealed;
    place(characterFrame);
  }
  if (newContent || !isVisible()) {
    show();
    raise();
  }
}

void BalloonWindow::followCharacter(const QRect& characterFrame) {
  if (text_) place(characterFrame);
}

void BalloonWindow::setContent(BalloonKind kind, const QString& fullText,
                               const std::vector<MarkedRange>& marked) {
  kind_ = kind;
  fullText_ = fullText;
  marked_ = marked;
  text_.emplace(fullText, balloonFont());
  setWindowTitle(titleOf(characterId_, kind, fullText));
  geometry_ = {};
}

void BalloonWindow::place(const QRect& characterFrame) {
  const BalloonGeometry placed =
      placeBalloon(kind_, text_->size(), characterFrame, availableScreenArea(characterFrame),
                   areasToKeepClear());
  const bool reshaped = placed.window.size() != geometry_.window.size() ||
                        placed.tailTip != geometry_.tailTip || placed.below != geometry_.below;
  geometry_ = placed;
  if (reshaped) shape_ = balloonShape(kind_, geometry_);
  redraw();
  setGeometry(geometry_.window);
  if (reshaped) setMask(opaqueRegion(image_));
}

void BalloonWindow::redraw() {
  image_ = transparentImage(geometry_.window.size(), devicePixelRatioF());
  QPainter painter(&image_);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(kOutline, kOutlineWidth));
  painter.setBrush(kFill);
  painter.drawPath(shape_);
  text_->draw(painter, geometry_.text.topLeft(), revealed_, kTextColour, marked_);
  painter.end();
  makeAlphaBinary(image_);
  update();
}

QRect BalloonWindow::availableScreenArea(const QRect& characterFrame) const {
  const QScreen* screen = QGuiApplication::screenAt(characterFrame.center());
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : kNoScreen;
}

std::vector<QRect> BalloonWindow::areasToKeepClear() const {
  return keepClear_ ? keepClear_() : std::vector<QRect>{};
}

void BalloonWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, image_);
}

}  // namespace character
