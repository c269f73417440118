// SPDX-License-Identifier: GPL-3.0-or-later
#include "program_module.h"

namespace base {

ProgramModule::ProgramModule(const QString& path) : library_(path) {}

bool ProgramModule::load() {
  return library_.load();
}

QFunctionPointer ProgramModule::entry(const char* name, QString& error) {
  const QFunctionPointer function = load() ? library_.resolve(name) : nullptr;
  if (!function) error = library_.errorString();
  return function;
}

QString ProgramModule::error() const {
  return library_.errorString();
}

}  // namespace base
