// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCache>
#include <QHash>
#include <QImage>
#include <QRectF>
#include <QRegion>
#include <QSize>

#include "character/character_data.h"
#include "character/presenter.h"

namespace character {

// One rendered frame: the picture with every pixel opaque or clear, and its opaque region in
// logical pixels.
struct RenderedFrame {
  QImage image;
  QRegion shape;
};

// Where the design space lands in a frame of `frameSize` pixels: scaled to fit with its aspect
// kept, centred across, standing on the bottom edge.
QRectF designPlacement(const CharacterData& data, const QSize& frameSize);

class PackedFrame;

// Renders the poses of one character, keeping frames: an animation that loops renders each of
// its frames once. The resting loop, which a character shows most of the time, is drawn whole
// when its first frame is needed and kept for good, so a character at rest only shows frames
// it has. The other frames are kept packed (packed_frame.h), the least recently used going
// first, and the last one asked for also as it is shown.
class FrameRenderer {
 public:
  // Packed frames kept per character, in bytes: room for every frame of the characters' own
  // animations at their own size, and more.
  static constexpr qsizetype kCacheBytes = 512 * 1024;

  explicit FrameRenderer(const CharacterData& data);
  ~FrameRenderer();

  // `frameSize` is in logical pixels; the picture has `devicePixelRatio` pixels for each, so the
  // character stays sharp on a scaled display.
  RenderedFrame render(const Pose& pose, const QSize& frameSize, double devicePixelRatio = 1.0);

 private:
  struct Key {
    const Animation* animation;
    int frameIndex;
    int mouth;  // -1 while not speaking
    QSize size;
    int ratioPercent;  // device pixel ratio in hundredths
    bool operator==(const Key&) const = default;
  };
  friend size_t qHash(const Key& key, size_t seed);

  static Key keyOf(const Pose& pose, const QSize& frameSize, double devicePixelRatio);
  RenderedFrame draw(const Pose& pose, const QSize& frameSize, double devicePixelRatio) const;
  bool inRestingLoop(const Key& key) const;
  void drawRestingLoop(const QSize& frameSize, double devicePixelRatio);
  RenderedFrame packedOrDrawn(const Key& key, const Pose& pose, const QSize& frameSize,
                              double devicePixelRatio);

  const CharacterData& data_;
  const Animation* const rest_;
  QHash<Key, RenderedFrame> restingLoop_;  // at one size: another size replaces it
  QCache<Key, PackedFrame> packed_;
  Key lastKey_{};
  RenderedFrame last_;
};

}  // namespace character
