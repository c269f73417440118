// SPDX-License-Identifier: GPL-3.0-or-later
#include "local_socket.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <cerrno>
#include <cstring>

namespace app {

FileDescriptor::~FileDescriptor() {
  if (fd_ >= 0) ::close(fd_);
}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.release();
  }
  return *this;
}

int FileDescriptor::release() {
  const int fd = fd_;
  fd_ = -1;
  return fd;
}

namespace local_socket {
namespace {

constexpr int kRetryMs = 10;
constexpr int kQueueLength = 8;

// The socket address of `path`; false when the path does not fit in one.
bool addressOf(const QString& path, sockaddr_un& address) {
  const QByteArray name = QFile::encodeName(path);
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (name.isEmpty() || name.size() >= static_cast<qsizetype>(sizeof address.sun_path)) {
    return false;
  }
  std::memcpy(address.sun_path, name.constData(), name.size());
  return true;
}

FileDescriptor newSocket(int flags = 0) {
  return FileDescriptor(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | flags, 0));
}

QString systemError() {
  return QString::fromLocal8Bit(std::strerror(errno));
}

}  // namespace

FileDescriptor connectTo(const QString& path, int timeoutMs) {
  sockaddr_un address;
  if (!addressOf(path, address)) return {};
  FileDescriptor socket = newSocket(SOCK_NONBLOCK);
  if (!socket.isValid()) return {};
  const QDeadlineTimer deadline(timeoutMs);
  // A socket in the file system connects at once or not at all, unless the listener's queue is
  // full (EAGAIN).
  while (::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) !=
         0) {
    if ((errno != EAGAIN && errno != EINTR) || deadline.hasExpired()) return {};
    QThread::msleep(kRetryMs);
  }
  return socket;
}

FileDescriptor listenOn(const QString& path, QString& error) {
  sockaddr_un address;
  if (!addressOf(path, address)) {
    error = QStringLiteral("the path is too long for a socket");
    return {};
  }
  FileDescriptor socket = newSocket(SOCK_NONBLOCK);
  ::unlink(address.sun_path);  // what is left of a program that crashed
  // Made with no rights for others, so no one else can connect even for a moment.
  const mode_t oldMask = ::umask(077);
  const bool bound =
      socket.isValid() &&
      ::bind(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  ::umask(oldMask);
  if (!bound || ::listen(socket.get(), kQueueLength) != 0) {
    error = systemError();
    return {};
  }
  return socket;
}

bool sendAll(int fd, const QByteArray& bytes) {
  qsizetype sent = 0;
  while (sent < bytes.size()) {
    const ssize_t written = ::send(fd, bytes.constData() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (written > 0) {
      sent += written;
    } else if (errno == EAGAIN || errno == EINTR) {
      pollfd wanted{fd, POLLOUT, 0};
      ::poll(&wanted, 1, kRetryMs);
    } else {
      return false;
    }
  }
  return true;
}

QByteArray readLine(int fd, int timeoutMs) {
  const QDeadlineTimer deadline(timeoutMs);
  QByteArray line;
  char byte = 0;
  while (!line.endsWith('\n')) {
    const ssize_t count = ::recv(fd, &byte, 1, 0);
    if (count == 1) {
      line.append(byte);
    } else if (count == 0 || (errno != EAGAIN && errno != EINTR) || deadline.hasExpired()) {
      break;
    } else {
      pollfd wanted{fd, POLLIN, 0};
      ::poll(&wanted, 1, static_cast<int>(deadline.remainingTime()));
    }
  }
  return line;
}

}  // namespace local_socket
}  // namespace app
