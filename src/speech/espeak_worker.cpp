// SPDX-License-Identifier: GPL-3.0-or-later
#include "espeak_worker.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <future>

namespace character {

EspeakWorker& EspeakWorker::instance() {
  static EspeakWorker worker;
  return worker;
}

EspeakWorker::EspeakWorker() : thread_([this] { work(); }) {}

EspeakWorker::~EspeakWorker() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void EspeakWorker::run(const std::function<void(int sampleRate)>& job) {
  std::packaged_task<void()> task([this, &job] { job(sampleRate_); });
  std::future<void> done = task.get_future();
  {
    std::lock_guard lock(mutex_);
    if (stopping_) return;  // the process is ending: nothing is said any more
    jobs_.emplace_back([&task] { task(); });
  }
  wake_.notify_one();
  done.get();
}

void EspeakWorker::work() {
  sampleRate_ =
      std::max(0, espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr,
                                    espeakINITIALIZE_PHONEME_EVENTS | espeakINITIALIZE_DONT_EXIT));
  while (true) {
    std::function<void()> job;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
      if (jobs_.empty()) break;
      job = std::move(jobs_.front());
      jobs_.pop_front();
    }
    job();
  }
  if (sampleRate_ > 0) espeak_Terminate();
}

}  // namespace character
