// SPDX-License-Identifier: GPL-3.0-or-later
#include "single_instance.h"

#include <unistd.h>

#include <QDir>
#include <QLocalSocket>
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
constexpr qint64 kMaxRequestBytes = 64 * 1024;
const QByteArray kAnswer = QByteArrayLiteral("ok\n");

}  // namespace

SingleInstance::SingleInstance(QString socketPath) : socketPath_(std::move(socketPath)) {
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
}

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
  QLocalSocket socket;
  socket.connectToServer(socketPath_);
  if (!socket.waitForConnected(kConnectTimeoutMs)) return false;
  socket.write(lessonPath.toUtf8() + '\n');
  socket.flush();
  while (!socket.canReadLine() && socket.waitForReadyRead(kAnswerTimeoutMs)) {
  }
  answered = socket.readLine() == kAnswer;
  return true;
}

void SingleInstance::listen() {
  QLocalServer::removeServer(socketPath_);  // what is left of a program that crashed
  if (!server_.listen(socketPath_)) {
    qCWarning(lcApp).noquote() << "cannot listen on" << socketPath_ << ":" << server_.errorString()
                               << "; a second start will run a second program";
  }
}

void SingleInstance::acceptConnections() {
  while (QLocalSocket* connection = server_.nextPendingConnection()) {
    connect(connection, &QLocalSocket::disconnected, connection, &QObject::deleteLater);
    connect(connection, &QLocalSocket::readyRead, this,
            [this, connection] { readRequest(*connection); });
    readRequest(*connection);
  }
}

void SingleInstance::readRequest(QLocalSocket& connection) {
  if (!connection.canReadLine()) {
    if (connection.bytesAvailable() > kMaxRequestBytes) connection.abort();
    return;
  }
  const QString lessonPath = QString::fromUtf8(connection.readLine()).chopped(1);
  connection.write(kAnswer);
  connection.disconnectFromServer();
  emit startRequested(lessonPath);
}

}  // namespace app
