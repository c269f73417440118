// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "local_socket.h"

class QSocketNotifier;

namespace app {

// One program at a time for each user. The first start listens on a local socket named with the
// user's ID in the user's runtime folder; a later start hands its lesson path (or nothing) to it
// over that socket and ends, and the running program takes the request as its own.
class SingleInstance : public QObject {
  Q_OBJECT

 public:
  enum class Claim {
    Claimed,     // no program of this user ran: this one listens for later starts now
    HandedOver,  // the running program took the request: this start ends with status 0
    NoAnswer,    // a program is there but did not confirm the request
  };

  // `socketPath` defaults to the user's own socket; tests pass one of their own.
  explicit SingleInstance(QString socketPath = userSocketPath());
  ~SingleInstance() override;

  // Hands `lessonPath` ("" for none) to the program already running, or, when none answers,
  // listens in its place. A socket left behind by a program that ended without closing it
  // answers nothing and is replaced. When the socket cannot be created, the program runs
  // without it (logged) and this still returns Claimed.
  Claim claim(const QString& lessonPath);

  // The user's socket, in the user's runtime folder (XDG_RUNTIME_DIR, or the folder Qt makes
  // in its place).
  static QString userSocketPath();

 signals:
  // A later start asked for the program, with the absolute path of a lesson to open, or "".
  void startRequested(const QString& lessonPath);

 private:
  bool handOver(const QString& lessonPath, bool& answered);
  void listen();
  void acceptConnections();
  void readRequest(QSocketNotifier& connection, QByteArray& received);

  QString socketPath_;
  FileDescriptor listening_;
  std::unique_ptr<QSocketNotifier> newConnections_;
};

}  // namespace app
