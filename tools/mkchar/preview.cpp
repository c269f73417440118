// SPDX-License-Identifier: GPL-3.0-or-later
// charpreview FILE.dat SHEET.png [HEIGHT]
// Draws every keyframe of every animation of a character file on one contact sheet: a row per
// animation, a cell per keyframe. Each cell is the frame exactly as the character's window
// shows it (the program's own renderer, with the cut-out applied), at the file's frame size or
// scaled to HEIGHT pixels high, over a pale checker so that stray opaque pixels show.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>
#include <algorithm>

#include "character/character_file.h"
#include "desktop/frame_renderer.h"

namespace {

constexpr int kLabelWidth = 110;
constexpr int kGap = 4;
constexpr int kCheckerSide = 8;

void drawChecker(QPainter& painter, const QRect& cell) {
  for (int y = 0; y < cell.height(); y += kCheckerSide) {
    for (int x = 0; x < cell.width(); x += kCheckerSide) {
      const bool dark = (x / kCheckerSide + y / kCheckerSide) % 2;
      const QRect square = QRect(cell.left() + x, cell.top() + y, kCheckerSide, kCheckerSide);
      painter.fillRect(square.intersected(cell),
                       dark ? QColor(0xd8, 0xe4, 0xf0) : QColor(0xf4, 0xf8, 0xfc));
    }
  }
}

QImage renderSheet(const character::CharacterData& data, const QSize& frameSize) {
  std::size_t columns = 1;
  for (const character::Animation& animation : data.animations) {
    columns = std::max(columns, animation.frames.size());
  }
  QImage sheet(kLabelWidth + int(columns) * (frameSize.width() + kGap),
               int(data.animations.size()) * (frameSize.height() + kGap),
               QImage::Format_ARGB32_Premultiplied);
  sheet.fill(Qt::white);
  QPainter painter(&sheet);
  character::FrameRenderer renderer(data);
  for (std::size_t row = 0; row < data.animations.size(); ++row) {
    const character::Animation& animation = data.animations[row];
    const int top = int(row) * (frameSize.height() + kGap);
    painter.drawText(QRect(2, top, kLabelWidth - 4, frameSize.height()), Qt::AlignVCenter,
                     animation.name);
    for (std::size_t column = 0; column < animation.frames.size(); ++column) {
      const QRect cell(QPoint(kLabelWidth + int(column) * (frameSize.width() + kGap), top),
                       frameSize);
      drawChecker(painter, cell);
      const character::Pose pose{&animation, int(column)};
      painter.drawImage(cell.topLeft(), renderer.render(pose, frameSize).image);
    }
  }
  return sheet;
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication application(argc, argv);
  const QStringList arguments = application.arguments();
  QTextStream errors(stderr);
  if (arguments.size() < 3) {
    errors << "usage: charpreview FILE.dat SHEET.png [HEIGHT]\n";
    return 2;
  }
  try {
    const character::CharacterData data = character::readCharacterFile(arguments.at(1));
    const int height = arguments.size() > 3 ? arguments.at(3).toInt() : data.height;
    if (height <= 0) {
      errors << "charpreview: HEIGHT must be a positive number of pixels\n";
      return 2;
    }
    const QSize frameSize(data.width * height / data.height, height);
    if (!renderSheet(data, frameSize).save(arguments.at(2))) {
      errors << "charpreview: cannot write " << arguments.at(2) << '\n';
      return 1;
    }
  } catch (const character::AgentError& error) {
    errors << "charpreview: " << error.message() << '\n';
    return 1;
  }
  return 0;
}
