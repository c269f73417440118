// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

class QScreen;

namespace platform {

// Converts form measures in twips (1/1440 inch) to the program's pixels, Qt's logical pixels,
// with the logical resolution of a screen: 15 twips per pixel at 96 dots per inch.
class Twips {
 public:
  static constexpr double kPerInch = 1440;

  explicit Twips(double dotsPerInchX = 96, double dotsPerInchY = 96);
  // The factors of `screen`, or of the primary screen when it is null.
  static Twips ofScreen(const QScreen* screen = nullptr);

  double perPixelX() const { return perPixelX_; }
  double perPixelY() const { return perPixelY_; }

  // Rounded to the nearest whole pixel.
  int toPixelsX(double twips) const;
  int toPixelsY(double twips) const;
  // Left and width horizontally, top and height vertically, each rounded on its own.
  QRect toPixels(const QRect& twips) const;

 private:
  double perPixelX_;
  double perPixelY_;
};

}  // namespace platform
