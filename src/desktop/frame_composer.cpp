// SPDX-License-Identifier: GPL-3.0-or-later
#include "frame_composer.h"

#include <algorithm>

namespace character {

namespace {

const QString kMouthPart = QStringLiteral("mouth");

const Keyframe* keyframeOf(const Pose& pose) {
  if (!pose.animation || pose.animation->frames.empty()) return nullptr;
  const int last = static_cast<int>(pose.animation->frames.size()) - 1;
  return &pose.animation->frames[std::clamp(pose.frameIndex, 0, last)];
}

QString number(double value) {
  return QString::number(value, 'g', 10);
}

// The SVG fragment a part shows; an unknown variant name falls back to the default.
QString fragmentOf(const Part& part, const QString& variantName) {
  auto found = part.variants.constFind(variantName.isEmpty() ? part.defaultVariant : variantName);
  if (found == part.variants.cend()) found = part.variants.constFind(part.defaultVariant);
  return found == part.variants.cend() ? QString() : found.value();
}

QString variantNameOf(const Part& part, const PartPose& partPose, const Pose& pose) {
  if (pose.speaking && part.name == kMouthPart) return mouthVariantName(pose.mouth);
  return partPose.variant;
}

QString placedPart(const Part& part, const PartPose& partPose, const QString& fragment) {
  return QStringLiteral("<g transform=\"translate(%1,%2) rotate(%3,%4,%5)\">%6</g>")
      .arg(number(partPose.dx), number(partPose.dy), number(partPose.rotate),
           number(part.pivot.x()), number(part.pivot.y()), fragment);
}

}  // namespace

QString composeFrameSvg(const CharacterData& data, const Pose& pose) {
  const Keyframe* keyframe = keyframeOf(pose);
  QString svg = QStringLiteral(
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" "
                    "xmlns:xlink=\"http://www.w3.org/1999/xlink\" viewBox=\"0 0 %1 %2\">")
                    .arg(number(data.designWidth), number(data.designHeight));
  for (const Part& part : data.parts) {
    const PartPose partPose = keyframe ? keyframe->parts.value(part.name) : PartPose{};
    const QString fragment = fragmentOf(part, variantNameOf(part, partPose, pose));
    if (fragment.isEmpty()) continue;
    svg += placedPart(part, partPose, fragment);
  }
  svg += QStringLiteral("</svg>");
  return svg;
}

}  // namespace character
