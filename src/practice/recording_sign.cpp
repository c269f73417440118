// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording_sign.h"

#include <QPainter>
#include <algorithm>

#include "desktop/overlay_window.h"

namespace practice {
namespace {

const QSize kSignSize(72, 18);
constexpr int kDotDiameter = 12;
constexpr int kMargin = 3;
const QColor kBackground(255, 255, 232);
const QColor kOutline(40, 40, 40);
const QColor kDot(220, 0, 0);
const QColor kLevel(0, 160, 0);

}  // namespace

RecordingSign::RecordingSign() {
  character::makeOverlayWindow(*this);
  setWindowTitle(QStringLiteral("vemo listens"));
  setFixedSize(kSignSize);
}

void RecordingSign::showBeside(const QRect& hostFrame) {
  level_ = 0;
  move(hostFrame.right() + 1, hostFrame.top() + kMargin);
  show();
  raise();
  update();
}

void RecordingSign::setLevel(double level) {
  level_ = std::clamp(level, 0.0, 1.0);
  update();
}

void RecordingSign::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kBackground);
  painter.setPen(kOutline);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kDot);
  painter.drawEllipse(kMargin, (height() - kDotDiameter) / 2, kDotDiameter, kDotDiameter);
  const QRect bar(2 * kMargin + kDotDiameter, kMargin, width() - 3 * kMargin - kDotDiameter,
                  height() - 2 * kMargin);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(kOutline);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(bar.adjusted(0, 0, -1, -1));
  const int filled = static_cast<int>((bar.width() - 2) * level_);
  painter.fillRect(bar.left() + 1, bar.top() + 1, filled, bar.height() - 2, kLevel);
}

}  // namespace practice
