// SPDX-License-Identifier: GPL-3.0-or-later
#include "listening_module_loader.h"

namespace listening {

ListeningModuleLoader::ListeningModuleLoader(const QString& folder)
    : module_(folder + QLatin1Char('/') + QLatin1String(kListeningModuleFile)) {}

CreateListenerFunction ListeningModuleLoader::createListener(QString& error) {
  return reinterpret_cast<CreateListenerFunction>(module_.entry(kCreateListenerEntry, error));
}

RunScoreCommandFunction ListeningModuleLoader::runScoreCommand(QString& error) {
  return reinterpret_cast<RunScoreCommandFunction>(module_.entry(kRunScoreCommandEntry, error));
}

}  // namespace listening
