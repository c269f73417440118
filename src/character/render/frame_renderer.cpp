// SPDX-License-Identifier: GPL-3.0-or-later
#include "frame_renderer.h"

#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>

#include "alpha_mask.h"
#include "frame_composer.h"

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

FrameRenderer::FrameRenderer(const CharacterData& data) : data_(data), cache_(kCacheBytes) {}

FrameRenderer::Key FrameRenderer::keyOf(const Pose& pose, const QSize& frameSize,
                                        double devicePixelRatio) {
  return Key{pose.animation, pose.animation ? pose.frameIndex : 0,
             pose.speaking ? static_cast<int>(pose.mouth) : -1, frameSize,
             static_cast<int>(std::lround(devicePixelRatio * 100))};
}

RenderedFrame FrameRenderer::render(const Pose& pose, const QSize& frameSize,
                                    double devicePixelRatio) {
  const Key key = keyOf(pose, frameSize, devicePixelRatio);
  if (const RenderedFrame* cached = cache_.object(key)) return *cached;
  auto* frame = new RenderedFrame(draw(pose, frameSize, devicePixelRatio));
  RenderedFrame result = *frame;
  cache_.insert(key, frame, std::max<qsizetype>(1, frame->image.sizeInBytes()));
  return result;
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
