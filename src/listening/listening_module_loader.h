// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "base/program_module.h"
#include "listening_module.h"

namespace listening {

// The listening module in a folder, loaded when an entry point is first asked for and tried
// again on the next ask while it cannot be. It stays loaded for the rest of the process.
class ListeningModuleLoader {
 public:
  explicit ListeningModuleLoader(const QString& folder);

  // The entry point, or null with the reason (file missing, unreadable, an entry it lacks) in
  // `error`.
  CreateListenerFunction createListener(QString& error);
  RunScoreCommandFunction runScoreCommand(QString& error);

 private:
  base::ProgramModule module_;
};

}  // namespace listening
