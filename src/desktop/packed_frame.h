// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRegion>

#include "frame_renderer.h"

namespace character {

// A rendered frame kept compressed. A character's pictures are large areas of one colour and
// of clear pixels, so a frame packs to a tenth of its size or less, and unpacks in a fraction of
// the time it takes to draw.
class PackedFrame {
 public:
  explicit PackedFrame(const RenderedFrame& frame);

  RenderedFrame unpack() const;
  // What the packed frame holds, in bytes.
  qsizetype sizeInBytes() const { return pixels_.size(); }

 private:
  QByteArray pixels_;
  QSize size_;
  double devicePixelRatio_;
  QImage::Format format_;
  QRegion shape_;
};

}  // namespace character
