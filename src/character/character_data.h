// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMap>
#include <QPointF>
#include <QString>
#include <vector>

namespace character {

// One drawable layer of a character (head, arm, eyes, mouth, book...). Each variant is an SVG
// fragment (the inside of an <svg> element) drawn in the character's design coordinates.
struct Part {
  QString name;
  QPointF pivot;  // rotation centre, design coordinates
  QString defaultVariant;
  QMap<QString, QString> variants;  // variant name -> SVG fragment; "" variant means not drawn
};

// How one part looks in one keyframe; parts not named by a keyframe keep their defaults.
struct PartPose {
  QString variant;  // empty: the part's default variant
  double dx = 0;
  double dy = 0;
  double rotate = 0;  // degrees, clockwise, around the part's pivot
};

struct Keyframe {
  int durationMs = 100;
  QMap<QString, PartPose> parts;  // few a keyframe: a map keeps them small
};

struct Animation {
  QString name;  // as written in the file, e.g. "LookDown"
  std::vector<Keyframe> frames;
  int totalMs() const;
};

// Voice settings for speech; what the fields mean is up to the speech service.
struct VoiceSettings {
  QString engine;  // "flite" or "espeak-ng"
  QString voice;   // engine's voice name, e.g. "slt"
  double pitchHz = 0;
  double pitchRange = 0;
  double rate = 1.0;  // 1.0 = the engine's normal speed
  double formantScale = 1.0;
};

// The four mouth shapes a speaking character shows; the "mouth" part has a variant for each.
enum class MouthShape { Closed, Open, Wide, Round };
QString mouthVariantName(MouthShape shape);

struct CharacterData {
  QString id;           // e.g. "boy"
  QString displayName;  // e.g. "Tom"
  double designWidth = 0;  // the SVG coordinate space of every part
  double designHeight = 0;
  int width = 0;  // default frame size in pixels
  int height = 0;
  std::vector<Part> parts;  // in drawing order, back to front
  std::vector<Animation> animations;
  VoiceSettings voice;
  VoiceSettings chineseVoice;

  // Case-insensitive lookup ("lookdown" finds "LookDown"); nullptr when missing.
  const Animation* findAnimation(const QString& name) const;
  const Part* findPart(const QString& name) const;
};

// Names of the animations the engine plays by itself.
namespace animation_names {
inline const QString kRest = QStringLiteral("RestPose");
inline const QString kShowing = QStringLiteral("Showing");
inline const QString kHiding = QStringLiteral("Hiding");
inline const QString kSpeaking = QStringLiteral("Speaking");
inline const QString kThinking = QStringLiteral("Thinking");
inline const QString kMoving = QStringLiteral("Moving");
}  // namespace animation_names

}  // namespace character
