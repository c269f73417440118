// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <memory>
#include <optional>
#include <string>

#include "festival_channel.h"

namespace character {

// festival's own process (chengmu-festival, beside this library), started on the first request
// and again after it ended or stopped answering, unless that happened several times in a row.
// Not safe for several threads at once.
class FestivalProcess {
 public:
  FestivalProcess() = default;
  ~FestivalProcess();
  FestivalProcess(const FestivalProcess&) = delete;
  FestivalProcess& operator=(const FestivalProcess&) = delete;

  // `text` (plain ASCII, one line) in festival's voice `voice` at `speed` (1: the voice's own);
  // nothing when festival cannot say it.
  std::optional<FestivalSpeech> say(const std::string& voice, double speed,
                                    const std::string& text);

 private:
  bool start();
  void stop();

  pid_t pid_ = -1;
  int socket_ = -1;
  std::unique_ptr<FestivalChannel> channel_;
  int failuresInARow_ = 0;
};

}  // namespace character
