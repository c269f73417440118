// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace practice {

// The pace of the pupils' English sentences while the learner has chosen slow speech.
inline constexpr double kSlowSpeechPace = 0.75;

// Whether the learner chose slow speech, as kept across runs in the program's settings
// ($XDG_CONFIG_HOME/chengmu/chengmu.conf).
bool slowSpeechChosen();
void keepSlowSpeechChoice(bool slow);

}  // namespace practice
