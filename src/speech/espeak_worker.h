// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace character {

// The one thread that owns espeak-ng: it initialises the library and runs every job that
// touches it, one at a time, in the order given.
class EspeakWorker {
 public:
  static EspeakWorker& instance();
  ~EspeakWorker();

  // Runs `job` on the worker and waits for it. The job is given espeak-ng's sample rate, or 0
  // when espeak-ng did not start. Once the process is ending, the job is not run.
  void run(const std::function<void(int sampleRate)>& job);

 private:
  EspeakWorker();
  void work();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> jobs_;
  bool stopping_ = false;
  int sampleRate_ = 0;
  std::thread thread_;
};

}  // namespace character
