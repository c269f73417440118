// SPDX-License-Identifier: GPL-3.0-or-later
#include "quit_signals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <utility>

#include "app_log.h"

namespace app {
namespace {

// The pipe between the handler and the event loop: [0] is read by the loop, [1] written by the
// handler.
std::array<int, 2> signalPipe = {-1, -1};

void writeToPipe(int) {
  const int savedErrno = errno;
  const char byte = 1;
  [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
  errno = savedErrno;
}

// A signal the program was started with ignored (SIGINT of a command started in the background
// of a shell script, for instance) stays ignored.
void handle(int signal) {
  struct sigaction inherited {};
  ::sigaction(signal, nullptr, &inherited);
  if (inherited.sa_handler == SIG_IGN) return;
  struct sigaction action {};
  action.sa_handler = writeToPipe;
  sigemptyset(&action.sa_mask);
  // The handler is reset after it ran once, so a second signal is no longer caught.
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  ::sigaction(signal, &action, nullptr);
}

}  // namespace

void quitOnTerminationSignals(QObject& owner, std::function<void()> quit) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe.data()) !=
      0) {
    qCWarning(lcApp) << "cannot watch for SIGTERM and SIGINT:" << std::strerror(errno);
    return;
  }
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &owner);
  QObject::connect(notifier, &QSocketNotifier::activated, &owner, [quit = std::move(quit)] {
    char bytes[16];
    while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
    }
    quit();
  });
  handle(SIGTERM);
  handle(SIGINT);
}

}  // namespace app
