// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace app {

// Answers --help, --version, --check LESSON... and --score WAV SENTENCE on the terminal, without a display, and
// returns the exit status: 0 done, 1 a lesson would not be read to its end, 2 a usage error.
// Returns nullopt when the desktop program should start: no option of ours, only Qt's own
// options (--style, -platform, ...) and arguments that are no option; argv is left as it was.
std::optional<int> runCommandLine(int argc, char** argv);

}  // namespace app
