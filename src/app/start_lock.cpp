// SPDX-License-Identifier: GPL-3.0-or-later
#include "start_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <cerrno>

namespace app {
namespace {

constexpr int kRetryMs = 10;

}  // namespace

StartLock::StartLock(const QString& path)
    : fd_(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {}

StartLock::~StartLock() {
  if (fd_ >= 0) ::close(fd_);
}

bool StartLock::tryLock(int timeoutMs) {
  if (fd_ < 0) return false;
  const QDeadlineTimer deadline(timeoutMs);
  while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK && errno != EINTR) return false;
    if (deadline.hasExpired()) return false;
    QThread::msleep(kRetryMs);
  }
  return true;
}

}  // namespace app
