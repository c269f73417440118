// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>

#include "listener.h"

namespace listening {

// The program's listener: recording and scoring live in a module beside the program, loaded on
// the first reading, so a learner who never reads aloud pays nothing for the recogniser.
// `programFolder`: where the program and its modules are.
std::unique_ptr<Listener> createProgramListener(const QString& programFolder);

}  // namespace listening
