// SPDX-License-Identifier: GPL-3.0-or-later
#include "twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace platform {

Twips::Twips(double dotsPerInchX, double dotsPerInchY)
    : perPixelX_(kPerInch / dotsPerInchX), perPixelY_(kPerInch / dotsPerInchY) {}

Twips Twips::ofScreen(const QScreen* screen) {
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return Twips();
  return Twips(screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY());
}

int Twips::toPixelsX(double twips) const {
  return static_cast<int>(std::lround(twips / perPixelX_));
}

int Twips::toPixelsY(double twips) const {
  return static_cast<int>(std::lround(twips / perPixelY_));
}

QRect Twips::toPixels(const QRect& twips) const {
  return QRect(toPixelsX(twips.x()), toPixelsY(twips.y()), toPixelsX(twips.width()),
               toPixelsY(twips.height()));
}

}  // namespace platform
