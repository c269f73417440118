// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <memory>

#include "listening/listener.h"

namespace app_testing {

// A listener that records what it was asked to hear and keeps the callbacks of the latest
// reading for the test to call.
class FakeListener : public listening::Listener {
 public:
  class FakeReading : public listening::Reading {
   public:
    explicit FakeReading(bool& destroyed) : destroyed_(destroyed) {}
    ~FakeReading() override { destroyed_ = true; }

   private:
    bool& destroyed_;
  };

  std::unique_ptr<listening::Reading> listen(
      const QString& sentence, listening::ReadingCallbacks readingCallbacks) override {
    sentences << sentence;
    callbacks = std::move(readingCallbacks);
    readingDestroyed = false;
    return std::make_unique<FakeReading>(readingDestroyed);
  }

  // Plays nothing: the sound is kept, and `finished` for the test to call.
  std::unique_ptr<listening::Playback> play(const listening::RecordedSound& sound,
                                            std::function<void()> finished) override {
    played.push_back(sound);
    playbackFinished = std::move(finished);
    return nullptr;
  }

  QStringList sentences;
  listening::ReadingCallbacks callbacks;
  std::vector<listening::RecordedSound> played;
  std::function<void()> playbackFinished;
  bool readingDestroyed = false;
};

}  // namespace app_testing
