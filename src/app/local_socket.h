// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace app {

// A file descriptor that is closed with its owner.
class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor();
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept;
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int get() const { return fd_; }
  bool isValid() const { return fd_ >= 0; }
  int release();

 private:
  int fd_ = -1;
};

// Stream sockets named by a path (AF_UNIX), through the system's own calls: what the single
// instance needs and nothing more.
namespace local_socket {

// Connects to the program listening on `path`, waiting at most `timeoutMs` for room in its
// queue; an invalid descriptor when nothing listens there (no socket, or one left behind).
FileDescriptor connectTo(const QString& path, int timeoutMs);

// Listens on `path`, replacing a socket left behind there, reachable by this user only. The
// descriptor does not block. On failure it is invalid and `error` says why.
FileDescriptor listenOn(const QString& path, QString& error);

// Sends all of `bytes`; false when the other end is gone.
bool sendAll(int fd, const QByteArray& bytes);

// Reads up to and including the first '\n', waiting at most `timeoutMs` in all; what came when
// the time ran out or the other end closed.
QByteArray readLine(int fd, int timeoutMs);

}  // namespace local_socket
}  // namespace app
