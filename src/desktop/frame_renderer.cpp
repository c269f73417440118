// SPDX-License-Identifier: GPL-3.0-or-later
#include "frame_renderer.h"

#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>
#include <vector>

#include "alpha_mask.h"
#include "frame_composer.h"
#include "packed_frame.h"

namespace character {

size_t qHash(const FrameRenderer::Key& key, size_t seed) {
  return qHashMulti(seed, key.animation, key.frameIndex, key.mouth, key.size.width(),
                    key.size.height(), key.ratioPercent);
}

QRectF designPlacement(const CharacterData& data, const QSize& frameSize) {
  if (data.designWidth <= 0 || data.designHeight <= 0) return QRectF(QPointF(0, 0), frameSize);
  const double scale =
      std::min(frameSize.width() / data.designWidth, frameSize.height() / data.designHeight);
  const double width = data.designWidth * scale;
  const double height = data.designHeight * scale;
  return QRectF((frameSize.width() - width) / 2, frameSize.height() - height, width, height);
}

FrameRenderer::FrameRenderer(const CharacterData& data)
    : data_(data), rest_(data.findAnimation(animation_names::kRest)), packed_(kCacheBytes) {}

FrameRenderer::~FrameRenderer() = default;

FrameRenderer::Key FrameRenderer::keyOf(const Pose& pose, const QSize& frameSize,
                                        double devicePixelRatio) {
  return Key{pose.animation, pose.animation ? pose.frameIndex : 0,
             pose.speaking ? static_cast<int>(pose.mouth) : -1, frameSize,
             static_cast<int>(std::lround(devicePixelRatio * 100))};
}

RenderedFrame FrameRenderer::render(const Pose& pose, const QSize& frameSize,
                                    double devicePixelRatio) {
  const Key key = keyOf(pose, frameSize, devicePixelRatio);
  if (inRestingLoop(key)) {
    if (!restingLoop_.contains(key)) drawRestingLoop(frameSize, devicePixelRatio);
    return restingLoop_.value(key);
  }
  if (!(key == lastKey_) || last_.image.isNull()) {
    last_ = packedOrDrawn(key, pose, frameSize, devicePixelRatio);
    lastKey_ = key;
  }
  return last_;
}

RenderedFrame FrameRenderer::packedOrDrawn(const Key& key, const Pose& pose, const QSize& frameSize,
                                           double devicePixelRatio) {
  if (const PackedFrame* packed = packed_.object(key)) {
    RenderedFrame frame = packed->unpack();
    if (!frame.image.isNull()) return frame;
  }
  RenderedFrame frame = draw(pose, frameSize, devicePixelRatio);
  auto* packed = new PackedFrame(frame);
  packed_.insert(key, packed, std::max<qsizetype>(1, packed->sizeInBytes()));
  return frame;
}

bool FrameRenderer::inRestingLoop(const Key& key) const {
  return rest_ && key.animation == rest_ && key.mouth < 0 && key.frameIndex >= 0 &&
         key.frameIndex < static_cast<int>(rest_->frames.size());
}

// Frames that look alike (the open eyes between blinks) share one picture.
void FrameRenderer::drawRestingLoop(const QSize& frameSize, double devicePixelRatio) {
  restingLoop_.clear();
  std::vector<RenderedFrame> distinct;
  for (int index = 0; index < static_cast<int>(rest_->frames.size()); ++index) {
    const Pose pose{rest_, index};
    RenderedFrame frame = draw(pose, frameSize, devicePixelRatio);
    const auto alike = std::find_if(distinct.begin(), distinct.end(),
                                    [&](const auto& kept) { return kept.image == frame.image; });
    if (alike != distinct.end()) {
      frame = *alike;
    } else {
      distinct.push_back(frame);
    }
    restingLoop_.insert(keyOf(pose, frameSize, devicePixelRatio), frame);
  }
}

RenderedFrame FrameRenderer::draw(const Pose& pose, const QSize& frameSize,
                                  double devicePixelRatio) const {
  if (frameSize.isEmpty() || devicePixelRatio <= 0) return RenderedFrame{};
  QImage image = transparentImage(frameSize, devicePixelRatio);
  QSvgRenderer svg(composeFrameSvg(data_, pose).toUtf8());
  if (svg.isValid()) {
    const QRectF placement = designPlacement(data_, frameSize);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(placement);  // a part moved out of the view box is not seen
    svg.render(&painter, placement);
  }
  makeAlphaBinary(image);
  return RenderedFrame{image, opaqueRegion(image)};
}

}  // namespace character
