// SPDX-License-Identifier: GPL-3.0-or-later
#include "single_instance.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QDir>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <utility>

#include "app_log.h"
#include "start_lock.h"

namespace app {
namespace {

constexpr int kConnectTimeoutMs = 1000;
constexpr int kAnswerTimeoutMs = 5000;
// Two starts at the same moment take turns; the second waits at most this long.
constexpr int kLockTimeoutMs = 10000;
// A request is one line: a path, never longer than this.
constexpr qsizetype kMaxRequestBytes = 64 * 1024;
const QByteArray kAnswer = QByteArrayLiteral("ok\n");

// What one connection sent; false once it was closed or failed.
bool receive(int fd, QByteArray& received) {
  char chunk[4096];
  for (;;) {
    const ssize_t count = ::recv(fd, chunk, sizeof chunk, 0);
    if (count > 0) {
      received.append(chunk, count);
    } else {
      return count < 0 && (errno == EAGAIN || errno == EINTR);
    }
  }
}

}  // namespace

SingleInstance::SingleInstance(QString socketPath) : socketPath_(std::move(socketPath)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::userSocketPath() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();  // the runtime folder cannot be made
  return QDir(folder).filePath(QStringLiteral("chengmu-%1.socket").arg(::getuid()));
}

SingleInstance::Claim SingleInstance::claim(const QString& lessonPath) {
  const QString lockPath = socketPath_ + QStringLiteral(".lock");
  StartLock lock(lockPath);
  if (!lock.tryLock(kLockTimeoutMs)) {
    qCWarning(lcApp).noquote() << "cannot lock" << lockPath << "; starting anyway";
  }
  bool answered = false;
  if (handOver(lessonPath, answered)) return answered ? Claim::HandedOver : Claim::NoAnswer;
  listen();
  return Claim::Claimed;
}

// True when a program listens on the socket; `answered` then says whether it confirmed.
bool SingleInstance::handOver(const QString& lessonPath, bool& answered) {
  const FileDescriptor socket = local_socket::connectTo(socketPath_, kConnectTimeoutMs);
  if (!socket.isValid()) return false;
  answered = local_socket::sendAll(socket.get(), lessonPath.toUtf8() + '\n') &&
             local_socket::readLine(socket.get(), kAnswerTimeoutMs) == kAnswer;
  return true;
}

void SingleInstance::listen() {
  QString error;
  listening_ = local_socket::listenOn(socketPath_, error);
  if (!listening_.isValid()) {
    qCWarning(lcApp).noquote() << "cannot listen on" << socketPath_ << ":" << error
                               << "; a second start will run a second program";
    return;
  }
  newConnections_ = std::make_unique<QSocketNotifier>(listening_.get(), QSocketNotifier::Read);
  connect(newConnections_.get(), &QSocketNotifier::activated, this,
          &SingleInstance::acceptConnections);
}

// Each connection is read as it comes; its descriptor is closed with its notifier.
void SingleInstance::acceptConnections() {
  for (;;) {
    const int fd = ::accept4(listening_.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return;
    auto* connection = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(connection, &QObject::destroyed, [fd] { ::close(fd); });
    auto received = std::make_shared<QByteArray>();
    connect(connection, &QSocketNotifier::activated, this,
            [this, connection, received] { readRequest(*connection, *received); });
    readRequest(*connection, *received);
  }
}

void SingleInstance::readRequest(QSocketNotifier& connection, QByteArray& received) {
  const bool open = receive(static_cast<int>(connection.socket()), received);
  const qsizetype lineEnd = received.indexOf('\n');
  if (lineEnd < 0 && open && received.size() <= kMaxRequestBytes) return;
  connection.setEnabled(false);
  connection.deleteLater();
  if (lineEnd < 0) return;
  local_socket::sendAll(static_cast<int>(connection.socket()), kAnswer);
  emit startRequested(QString::fromUtf8(received.first(lineEnd)));
}

}  // namespace app
