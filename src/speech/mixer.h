// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QIODevice>
#include <QString>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "audio_clip.h"

namespace character {

// The one audio stream of the program: every channel (one per character) plays at most one clip
// at a time, and reading the device gives the channels' sum, mono 16-bit at kMixerSampleRate.
// It never runs dry: with nothing playing it gives silence. Safe to use from two threads (the
// audio output reading, the UI thread playing and stopping).
class Mixer : public QIODevice {
  Q_OBJECT

 public:
  // Told, on the reading thread, when the first frame of a clip has been read out.
  using FirstFrameObserver = std::function<void(const QString& channel)>;

  explicit Mixer(QObject* parent = nullptr);

  // Plays `clip` on `channel` from its start, cutting what the channel played.
  void play(const QString& channel, std::shared_ptr<const Samples> clip);
  // Silences `channel` at once.
  void stop(const QString& channel);
  bool playing(const QString& channel) const;
  // True while no channel plays: reading gives only silence.
  bool idle() const;
  void setFirstFrameObserver(FirstFrameObserver observer);

  bool isSequential() const override { return true; }
  qint64 bytesAvailable() const override;

 signals:
  // A clip began on some channel (emitted on the thread that called play()).
  void clipStarted();
  // The last clip playing ended or was stopped (emitted on the reading or the stopping thread).
  void becameIdle();

 protected:
  qint64 readData(char* data, qint64 maxSize) override;
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  struct Playing {
    std::shared_ptr<const Samples> clip;
    std::size_t position = 0;
  };

  mutable std::mutex mutex_;
  QHash<QString, Playing> channels_;
  FirstFrameObserver firstFrameObserver_;
  std::vector<int> sum_;  // reused by every read
};

}  // namespace character
