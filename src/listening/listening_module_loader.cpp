// SPDX-License-Identifier: GPL-3.0-or-later
#include "listening_module_loader.h"

namespace listening {

ListeningModuleLoader::ListeningModuleLoader(const QString& folder)
    : module_(folder + QLatin1Char('/') + QLatin1String(kListeningModuleFile)) {}

CreateListenerFunction ListeningModuleLoader::createListener(QString& error) {
  return reinterpret_cast<CreateListenerFunction>(entry(kCreateListenerEntry, error));
}

RunScoreCommandFunction ListeningModuleLoader::runScoreCommand(QString& error) {
  return reinterpret_cast<RunScoreCommandFunction>(entry(kRunScoreCommandEntry, error));
}

QFunctionPointer ListeningModuleLoader::entry(const char* name, QString& error) {
  const QFunctionPointer function = module_.load() ? module_.resolve(name) : nullptr;
  if (!function) error = module_.errorString();
  return function;
}

}  // namespace listening
