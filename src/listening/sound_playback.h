// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAudioSink>
#include <QBuffer>
#include <QObject>
#include <functional>
#include <memory>

#include "listener.h"

namespace listening {

// A recording played once on the default output; what it says when done (or when it cannot
// play) comes from the event loop, never after it is destroyed.
class SoundPlayback : public Playback {
 public:
  SoundPlayback(const RecordedSound& sound, std::function<void()> finished);
  ~SoundPlayback() override;

 private:
  void finish();

  QByteArray bytes_;
  QBuffer buffer_;
  std::unique_ptr<QAudioSink> sink_;
  std::function<void()> finished_;
  QObject context_;
};

}  // namespace listening
