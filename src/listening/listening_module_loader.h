// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLibrary>
#include <QString>

#include "listening_module.h"

namespace listening {

// The listening module in a folder, loaded when an entry point is first asked for. It stays
// loaded for the rest of the process.
class ListeningModuleLoader {
 public:
  explicit ListeningModuleLoader(const QString& folder);

  // The entry point, or null with the reason (file missing, unreadable, an entry it lacks) in
  // `error`.
  CreateListenerFunction createListener(QString& error);
  RunScoreCommandFunction runScoreCommand(QString& error);

 private:
  QFunctionPointer entry(const char* name, QString& error);

  QLibrary module_;
};

}  // namespace listening
