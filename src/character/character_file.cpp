// SPDX-License-Identifier: GPL-3.0-or-later
#include "character_file.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QSet>
#include <algorithm>
#include <climits>

#include "character_file_json.h"
#include "character_file_requirements.h"
#include "character_file_svg.h"

namespace character {

namespace {

const QByteArray kMagic = QByteArrayLiteral("CHMUCHR\n");
constexpr int kFormatVersion = 1;

// Limits that keep the work on any file small; real characters stay far below them.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;
constexpr qsizetype kMaxParts = 64;
constexpr qsizetype kMaxVariants = 64;
constexpr qsizetype kMaxAnimations = 256;
constexpr qsizetype kMaxKeyframes = 500;
constexpr int kMaxDurationMs = 60000;
constexpr int kMaxFrameSide = 4096;
constexpr double kMaxDesignSide = 10000;
constexpr double kMaxOffset = 10000;
constexpr double kMaxRotate = 3600;

QString quoted(const QString& text) {
  return QLatin1Char('"') + text + QLatin1Char('"');
}

QPointF readPoint(const JsonNode& node) {
  return {node.member(QStringLiteral("x")).number(-kMaxOffset, kMaxOffset),
          node.member(QStringLiteral("y")).number(-kMaxOffset, kMaxOffset)};
}

void readVariants(const JsonNode& node, Part& part) {
  const QJsonObject variants = node.object();
  if (variants.isEmpty()) node.fail(QStringLiteral("must hold at least one variant"));
  if (variants.size() > kMaxVariants) {
    node.fail(QStringLiteral("holds %1 variants, at most %2 are allowed")
                  .arg(variants.size())
                  .arg(kMaxVariants));
  }
  for (auto it = variants.constBegin(); it != variants.constEnd(); ++it) {
    const JsonNode variant = node.member(it.key());
    if (it.key().isEmpty()) variant.fail(QStringLiteral("a variant needs a name"));
    const QString fragment = variant.string();
    if (std::optional<QString> problem = checkSvgFragment(fragment)) variant.fail(*problem);
    part.variants.insert(it.key(), fragment);
  }
}

Part readPart(const JsonNode& node) {
  Part part;
  part.name = node.member(QStringLiteral("name")).nonEmptyString();
  const JsonNode named = node.labelled(part.name);
  part.pivot = readPoint(named.member(QStringLiteral("pivot")));
  readVariants(named.member(QStringLiteral("variants")), part);
  const JsonNode defaultVariant = named.member(QStringLiteral("defaultVariant"));
  part.defaultVariant = defaultVariant.string();
  if (!part.variants.contains(part.defaultVariant)) {
    defaultVariant.fail(
        QStringLiteral("names no variant of this part: %1").arg(quoted(part.defaultVariant)));
  }
  return part;
}

std::vector<Part> readParts(const JsonNode& node) {
  const qsizetype count = node.array(1, kMaxParts).size();
  std::vector<Part> parts;
  QSet<QString> names;
  for (qsizetype index = 0; index < count; ++index) {
    const JsonNode element = node.element(index);
    Part part = readPart(element);
    if (names.contains(part.name)) {
      element.fail(QStringLiteral("part %1 is named twice").arg(quoted(part.name)));
    }
    names.insert(part.name);
    parts.push_back(std::move(part));
  }
  return parts;
}

void checkRequiredParts(const JsonNode& partsNode, const std::vector<Part>& parts) {
  for (const RequiredPart& required : requiredParts()) {
    const auto found = std::find_if(parts.begin(), parts.end(),
                                    [&](const Part& part) { return part.name == required.name; });
    if (found == parts.end()) {
      partsNode.fail(QStringLiteral("required part %1 is missing").arg(quoted(required.name)));
    }
    for (const QString& variant : required.variants) {
      if (!found->variants.contains(variant)) {
        partsNode.fail(QStringLiteral("part %1 lacks its required variant %2")
                           .arg(quoted(required.name), quoted(variant)));
      }
    }
  }
}

double optionalNumber(const JsonNode& node, const QString& key, double limit) {
  const std::optional<JsonNode> member = node.optionalMember(key);
  return member ? member->number(-limit, limit) : 0.0;
}

PartPose readPartPose(const JsonNode& node, const Part& part) {
  PartPose pose;
  if (std::optional<JsonNode> variant = node.optionalMember(QStringLiteral("variant"))) {
    pose.variant = variant->string();
    if (!part.variants.contains(pose.variant)) {
      variant->fail(
          QStringLiteral("part %1 has no variant %2").arg(quoted(part.name), quoted(pose.variant)));
    }
  }
  pose.dx = optionalNumber(node, QStringLiteral("dx"), kMaxOffset);
  pose.dy = optionalNumber(node, QStringLiteral("dy"), kMaxOffset);
  pose.rotate = optionalNumber(node, QStringLiteral("rotate"), kMaxRotate);
  return pose;
}

Keyframe readKeyframe(const JsonNode& node, const CharacterData& data) {
  Keyframe frame;
  frame.durationMs = node.member(QStringLiteral("durationMs")).integer(1, kMaxDurationMs);
  const JsonNode pose = node.member(QStringLiteral("pose"));
  const QJsonObject partPoses = pose.object();
  for (auto it = partPoses.constBegin(); it != partPoses.constEnd(); ++it) {
    const JsonNode partPose = pose.member(it.key());
    const Part* part = data.findPart(it.key());
    if (!part) partPose.fail(QStringLiteral("names an unknown part"));
    frame.parts.insert(it.key(), readPartPose(partPose, *part));
  }
  return frame;
}

Animation readAnimation(const JsonNode& node, const CharacterData& data) {
  Animation animation;
  animation.name = node.member(QStringLiteral("name")).nonEmptyString();
  const JsonNode keyframes = node.labelled(animation.name).member(QStringLiteral("keyframes"));
  const qsizetype count = keyframes.array(1, kMaxKeyframes).size();
  for (qsizetype index = 0; index < count; ++index) {
    animation.frames.push_back(readKeyframe(keyframes.element(index), data));
  }
  return animation;
}

std::vector<Animation> readAnimations(const JsonNode& node, const CharacterData& data) {
  const qsizetype count = node.array(1, kMaxAnimations).size();
  std::vector<Animation> animations;
  QSet<QString> foldedNames;
  for (qsizetype index = 0; index < count; ++index) {
    const JsonNode element = node.element(index);
    Animation animation = readAnimation(element, data);
    const QString folded = animation.name.toCaseFolded();
    if (foldedNames.contains(folded)) {
      element.fail(
          QStringLiteral("animation %1 is named twice (names are matched without regard to case)")
              .arg(quoted(animation.name)));
    }
    foldedNames.insert(folded);
    animations.push_back(std::move(animation));
  }
  return animations;
}

void checkRequiredAnimations(const JsonNode& node, const CharacterData& data) {
  QStringList missing;
  for (const QString& name : requiredAnimationNames()) {
    if (!data.findAnimation(name)) missing.append(name);
  }
  if (!missing.isEmpty()) {
    node.fail(QStringLiteral("required animation(s) missing: %1")
                  .arg(missing.join(QStringLiteral(", "))));
  }
}

VoiceSettings readVoice(const JsonNode& node) {
  VoiceSettings voice;
  voice.engine = node.member(QStringLiteral("engine")).nonEmptyString();
  voice.voice = node.member(QStringLiteral("voice")).string();
  if (auto pitch = node.optionalMember(QStringLiteral("pitchHz")))
    voice.pitchHz = pitch->number(0, 1000);
  if (auto range = node.optionalMember(QStringLiteral("pitchRange"))) {
    voice.pitchRange = range->number(0, 1000);
  }
  if (auto rate = node.optionalMember(QStringLiteral("rate"))) voice.rate = rate->number(0.1, 10);
  if (auto formant = node.optionalMember(QStringLiteral("formantScale"))) {
    voice.formantScale = formant->number(0.1, 10);
  }
  return voice;
}

void checkVersion(const JsonNode& root) {
  const int version = root.member(QStringLiteral("formatVersion")).integer(0, INT_MAX);
  if (version != kFormatVersion) {
    root.fail(QStringLiteral("unsupported format version %1 (this program reads version %2)")
                  .arg(version)
                  .arg(kFormatVersion));
  }
}

CharacterData readManifest(const JsonNode& root) {
  checkVersion(root);
  CharacterData data;
  data.id = root.member(QStringLiteral("id")).nonEmptyString();
  data.displayName = root.member(QStringLiteral("displayName")).string();
  const JsonNode design = root.member(QStringLiteral("designSize"));
  data.designWidth = design.member(QStringLiteral("width")).number(1, kMaxDesignSide);
  data.designHeight = design.member(QStringLiteral("height")).number(1, kMaxDesignSide);
  const JsonNode frame = root.member(QStringLiteral("frameSize"));
  data.width = frame.member(QStringLiteral("width")).integer(1, kMaxFrameSide);
  data.height = frame.member(QStringLiteral("height")).integer(1, kMaxFrameSide);
  const JsonNode parts = root.member(QStringLiteral("parts"));
  data.parts = readParts(parts);
  checkRequiredParts(parts, data.parts);
  const JsonNode animations = root.member(QStringLiteral("animations"));
  data.animations = readAnimations(animations, data);
  checkRequiredAnimations(animations, data);
  data.voice = readVoice(root.member(QStringLiteral("voice")));
  data.chineseVoice = readVoice(root.member(QStringLiteral("chineseVoice")));
  return data;
}

QJsonDocument parseJson(const QByteArray& bytes, const QString& fileName) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(bytes.mid(kMagic.size()), &error);
  if (error.error != QJsonParseError::NoError) {
    throw AgentError(QStringLiteral("%1: JSON syntax error at byte %2: %3")
                         .arg(fileName)
                         .arg(error.offset + kMagic.size())
                         .arg(error.errorString()));
  }
  return document;
}

}  // namespace

CharacterData parseCharacterFile(const QByteArray& bytes, const QString& fileName) {
  if (bytes.size() > kMaxFileBytes) {
    throw AgentError(QStringLiteral("%1: file is too large (%2 bytes, at most %3)")
                         .arg(fileName)
                         .arg(bytes.size())
                         .arg(kMaxFileBytes));
  }
  if (!bytes.startsWith(kMagic)) {
    throw AgentError(QStringLiteral("%1: not a character file (it does not begin with \"CHMUCHR\")")
                         .arg(fileName));
  }
  const QJsonDocument document = parseJson(bytes, fileName);
  if (!document.isObject()) {
    throw AgentError(QStringLiteral("%1: the manifest must be a JSON object").arg(fileName));
  }
  return readManifest(JsonNode(document.object(), QString(), fileName));
}

CharacterData readCharacterFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    throw AgentError(
        QStringLiteral("%1: cannot open character file: %2").arg(path, file.errorString()));
  }
  // One byte past the limit is enough to tell a file that is too large, even an endless one. A
  // file of known size is read at its size, since the buffer is made as large as asked.
  const qint64 wanted = file.isSequential() ? kMaxFileBytes : std::min(file.size(), kMaxFileBytes);
  const QByteArray bytes = file.read(wanted + 1);
  if (file.error() != QFileDevice::NoError) {
    throw AgentError(
        QStringLiteral("%1: cannot read character file: %2").arg(path, file.errorString()));
  }
  return parseCharacterFile(bytes, path);
}

}  // namespace character
