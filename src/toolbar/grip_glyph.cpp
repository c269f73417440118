// SPDX-License-Identifier: GPL-3.0-or-later
#include "grip_glyph.h"

#include <array>

namespace toolbar {
namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 17;

// '#' is a stroke, '.' the ground.
constexpr std::array<const char*, kHeight> kRows = {
    "................",  //
    ".......##.......",  //
    "......####......",  //
    ".....######.....",  //
    ".......##.......",  //
    "...#...##...#...",  //
    "..##...##...##..",  //
    ".##############.",  //
    ".##############.",  //
    "..##...##...##..",  //
    "...#...##...#...",  //
    ".......##.......",  //
    ".....######.....",  //
    "......####......",  //
    ".......##.......",  //
    "................",  //
    "................",  //
};

}  // namespace

QImage gripGlyph() {
  QImage image(kWidth, kHeight, QImage::Format_Indexed8);
  image.setColorTable({qRgb(128, 0, 0), qRgb(192, 192, 255)});
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) image.setPixel(x, y, kRows[y][x] == '#' ? 1 : 0);
  }
  return image;
}

}  // namespace toolbar
