// SPDX-License-Identifier: GPL-3.0-or-later
#include "festival_process.h"

#include <dlfcn.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFileInfo>

extern char** environ;

namespace character {

namespace {

// Starting the interpreter and saying a long sentence take a few seconds at most, even on a
// loaded machine.
constexpr int kAnswerTimeoutMs = 30000;
constexpr int kMostFailuresInARow = 3;

// chengmu-festival is built and installed beside the library holding this code.
QByteArray speakerProgram() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&speakerProgram), &info) == 0 || !info.dli_fname) return {};
  return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath().toLocal8Bit() +
         "/chengmu-festival";
}

}  // namespace

FestivalProcess::~FestivalProcess() {
  stop();
}

bool FestivalProcess::start() {
  int ends[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return false;
  const QByteArray program = speakerProgram();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, ends[1], STDIN_FILENO);
  char* argv[] = {const_cast<char*>(program.constData()), nullptr};
  const bool started = !program.isEmpty() && posix_spawn(&pid_, program.constData(), &actions,
                                                         nullptr, argv, environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  close(ends[1]);
  if (!started) {
    pid_ = -1;
    close(ends[0]);
    return false;
  }
  socket_ = ends[0];
  channel_ = std::make_unique<FestivalChannel>(socket_, kAnswerTimeoutMs);
  return true;
}

void FestivalProcess::stop() {
  channel_.reset();
  if (socket_ >= 0) close(socket_);
  socket_ = -1;
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  pid_ = -1;
}

std::optional<FestivalSpeech> FestivalProcess::say(const std::string& voice, double speed,
                                                   const std::string& text) {
  if (failuresInARow_ >= kMostFailuresInARow) return std::nullopt;
  // A process that ended, broke the stream or stopped answering is ended; the text is tried
  // once more in a fresh one (festival may have been left broken by the text before), so no
  // answer is ever read out of step.
  for (int attempt = 0; attempt < 2; ++attempt) {
    std::optional<FestivalSpeech> speech;
    if ((channel_ || start()) && channel_->sendRequest(voice, speed, text) &&
        channel_->readAnswer(speech)) {
      failuresInARow_ = 0;
      return speech;
    }
    stop();
  }
  ++failuresInARow_;
  return std::nullopt;
}

}  // namespace character
