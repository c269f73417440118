// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace character {

// The animations every character file must hold: those the engine plays by itself and those
// the program asks for by name.
const QStringList& requiredAnimationNames();

// A part every character file must hold, with the variants the engine switches to.
struct RequiredPart {
  QString name;
  QStringList variants;
};
const std::vector<RequiredPart>& requiredParts();

}  // namespace character
