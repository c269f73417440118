// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "presenter.h"

namespace character {

// How one Speak differs from a plain one.
struct SpeakStyle {
  // How fast the English is said: 1 is the voice's own speed, 0.75 three quarters of it. Unset:
  // the engine's speech pace (Engine::setSpeechPace()).
  std::optional<double> pace;
  // Shown whole in the balloon, above the words being spoken, from the start of the speech; the
  // balloon then stays as long as a thought of the note would.
  QString note;
  // Stretches of `note` drawn marked.
  std::vector<MarkedRange> marked;
};

}  // namespace character
