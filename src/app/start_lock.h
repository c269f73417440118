// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace app {

// An exclusive lock on a file, for two starts of the program at the same moment to take turns.
// It is the kernel's (flock): it writes nothing and syncs nothing, so taking it costs no disk
// wait, and it lets go when its holder ends, however it ends. The file stays, empty.
class StartLock {
 public:
  explicit StartLock(const QString& path);
  ~StartLock();
  StartLock(const StartLock&) = delete;
  StartLock& operator=(const StartLock&) = delete;

  // Waits up to `timeoutMs` for the lock; false when it could not be had (or the file opened).
  bool tryLock(int timeoutMs);

 private:
  int fd_;
};

}  // namespace app
