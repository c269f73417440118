// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLibrary>
#include <QString>

namespace base {

// A shared library the program loads at run time from beside itself, and the functions it
// exports. Once loaded it stays loaded for the rest of the process. When it cannot be loaded,
// the next call tries again.
class ProgramModule {
 public:
  // `path`: the module's file.
  explicit ProgramModule(const QString& path);

  // Reads the module in, unless it already is; whether it is now. It may take long (the module's
  // own libraries come with it), so it may be called on a worker thread before entry().
  bool load();

  // The exported function `name`, loading the module first if needed; null with the reason
  // (file missing, unreadable, a function it lacks) in `error`.
  QFunctionPointer entry(const char* name, QString& error);

  // Why the last load() or entry() failed.
  QString error() const;

 private:
  QLibrary library_;
};

}  // namespace base
