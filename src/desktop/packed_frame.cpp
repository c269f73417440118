// SPDX-License-Identifier: GPL-3.0-or-later
#include "packed_frame.h"

#include <cstring>

namespace character {
namespace {

// zlib's fastest level: packing happens once per frame drawn, unpacking at every showing.
constexpr int kCompressionLevel = 1;

}  // namespace

PackedFrame::PackedFrame(const RenderedFrame& frame)
    : pixels_(qCompress(frame.image.constBits(), frame.image.sizeInBytes(), kCompressionLevel)),
      size_(frame.image.size()),
      devicePixelRatio_(frame.image.devicePixelRatio()),
      format_(frame.image.format()),
      shape_(frame.shape) {
  pixels_.squeeze();  // qCompress leaves room for the worst case
}

RenderedFrame PackedFrame::unpack() const {
  if (size_.isEmpty()) return RenderedFrame{QImage(), shape_};
  const QByteArray pixels = qUncompress(pixels_);
  QImage image(size_, format_);
  if (image.sizeInBytes() != pixels.size()) return RenderedFrame{};
  std::memcpy(image.bits(), pixels.constData(), pixels.size());
  image.setDevicePixelRatio(devicePixelRatio_);
  return RenderedFrame{image, shape_};
}

}  // namespace character
