// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace practice {

// The paces the learner can choose for the pupils' English sentences, of the voices' own.
inline constexpr std::array<double, 3> kSentencePaces = {0.6, 0.8, 1.0};

// The pace the learner chose, as kept across runs in the program's settings
// ($XDG_CONFIG_HOME/chengmu/chengmu.conf): one of kSentencePaces, 1.0 before any choice. The
// slow speech of earlier versions (a yes or no) is read as 0.8.
double chosenSentencePace();
void keepSentencePace(double pace);

}  // namespace practice
