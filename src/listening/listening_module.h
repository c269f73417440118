// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTextStream>

namespace listening {

class Listener;

// The listening module (recording, the recogniser and its model) is a shared library beside the
// program, loaded on the first reading or by `--score`, so the program pays nothing for it
// before. It exports two functions:
//  - one makes the program's listener (the caller owns it; null on failure);
//  - one runs the scoring command (runScoreCommand(), see score_command.h).
using CreateListenerFunction = Listener* (*)();
using RunScoreCommandFunction = int (*)(const QString& wavPath, const QString& sentence,
                                        QTextStream& out, QTextStream& err);
inline constexpr char kListeningModuleFile[] = "chengmu_listening.so";
inline constexpr char kCreateListenerEntry[] = "chengmu_create_listener";
inline constexpr char kRunScoreCommandEntry[] = "chengmu_run_score_command";

}  // namespace listening
