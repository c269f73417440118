// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <initializer_list>

#include "character/character_data.h"

namespace testing_support {

// A character with every animation the program plays, each a few keyframes long, drawn as
// plain rectangles. Durations are round numbers so tests can reason about time exactly.
inline character::CharacterData makeTestCharacter(const QString& id, int width = 100,
                                                  int height = 120) {
  using namespace character;
  CharacterData data;
  data.id = id;
  data.displayName = id;
  data.designWidth = width;
  data.designHeight = height;
  data.width = width;
  data.height = height;
  Part body;
  body.name = QStringLiteral("body");
  body.defaultVariant = QStringLiteral("plain");
  body.variants[body.defaultVariant] =
      QStringLiteral("<rect x='10' y='10' width='80' height='100' fill='#3366cc'/>");
  data.parts.push_back(body);
  auto add = [&](const QString& name, std::initializer_list<int> durations) {
    Animation animation;
    animation.name = name;
    for (int ms : durations) animation.frames.push_back(Keyframe{ms, {}});
    data.animations.push_back(animation);
  };
  add(QStringLiteral("RestPose"), {3000, 150});
  add(QStringLiteral("Showing"), {100, 100});
  add(QStringLiteral("Hiding"), {100, 100});
  add(QStringLiteral("Speaking"), {200, 200});
  add(QStringLiteral("Thinking"), {300, 300});
  add(QStringLiteral("Moving"), {100, 100});
  for (const char* name : {"Greet", "Congratulate", "LookLeft", "LookRight", "LookUp", "LookDown",
                           "Read", "Suggest"}) {
    add(QString::fromLatin1(name), {100, 100, 100});
  }
  return data;
}

}  // namespace testing_support
