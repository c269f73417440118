// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <variant>

namespace app {

// How the desktop program starts.
struct ProgramStart {
  QString lessonPath;  // the absolute path of the lesson to open after the opening scene, or ""
};

// Answers --help, --version, --check LESSON..., --export-lesson LESSON OUT and --score WAV
// SENTENCE on the terminal, without a display, and returns the exit status: 0 done, 1 a lesson
// would not be read to its end (with --export-lesson: it is refused or the export cannot be
// written), 2 a usage error (more than one lesson to open is one) or, with --score, a bad sound
// file. Returns
// a ProgramStart when the desktop program should start: no option of ours, only Qt's own options
// (--style, -platform, ...) and at most one argument that is no option, a lesson to open; argv
// is left as it was.
std::variant<int, ProgramStart> runCommandLine(int argc, char** argv);

}  // namespace app
