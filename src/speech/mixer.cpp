// SPDX-License-Identifier: GPL-3.0-or-later
#include "mixer.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace character {

namespace {

constexpr qint64 kBytesPerSample = sizeof(std::int16_t);

void clipTo16Bits(const std::vector<int>& sum, char* data) {
  for (std::size_t i = 0; i < sum.size(); ++i) {
    const auto sample =
        static_cast<std::int16_t>(std::clamp<int>(sum[i], std::numeric_limits<std::int16_t>::min(),
                                                  std::numeric_limits<std::int16_t>::max()));
    std::memcpy(data + i * kBytesPerSample, &sample, kBytesPerSample);
  }
}

}  // namespace

Mixer::Mixer(QObject* parent) : QIODevice(parent) {}

void Mixer::play(const QString& channel, std::shared_ptr<const Samples> clip) {
  {
    std::lock_guard lock(mutex_);
    if (!clip || clip->empty()) {
      channels_.remove(channel);
      return;
    }
    channels_.insert(channel, Playing{std::move(clip), 0});
  }
  emit clipStarted();
}

void Mixer::stop(const QString& channel) {
  bool silenced = false;
  {
    std::lock_guard lock(mutex_);
    silenced = channels_.remove(channel) && channels_.isEmpty();
  }
  if (silenced) emit becameIdle();
}

bool Mixer::playing(const QString& channel) const {
  std::lock_guard lock(mutex_);
  return channels_.contains(channel);
}

bool Mixer::idle() const {
  std::lock_guard lock(mutex_);
  return channels_.isEmpty();
}

void Mixer::setFirstFrameObserver(FirstFrameObserver observer) {
  std::lock_guard lock(mutex_);
  firstFrameObserver_ = std::move(observer);
}

qint64 Mixer::bytesAvailable() const {
  return kMixerSampleRate * kBytesPerSample + QIODevice::bytesAvailable();
}

// Runs on the output's thread for every few milliseconds of sound: it allocates only when a clip
// starts or a read is longer than any before, and holds the lock only while it sums.
qint64 Mixer::readData(char* data, qint64 maxSize) {
  const std::size_t count = static_cast<std::size_t>(maxSize / kBytesPerSample);
  std::vector<QString> started;
  FirstFrameObserver observer;
  bool ended = false;
  {
    std::lock_guard lock(mutex_);
    sum_.assign(count, 0);
    const bool wasPlaying = !channels_.isEmpty();
    for (auto it = channels_.begin(); it != channels_.end();) {
      Playing& channel = it.value();
      if (channel.position == 0) started.push_back(it.key());
      const std::size_t take = std::min(count, channel.clip->size() - channel.position);
      for (std::size_t i = 0; i < take; ++i) sum_[i] += (*channel.clip)[channel.position + i];
      channel.position += take;
      it = channel.position >= channel.clip->size() ? channels_.erase(it) : std::next(it);
    }
    ended = wasPlaying && channels_.isEmpty();
    if (!started.empty()) observer = firstFrameObserver_;
    clipTo16Bits(sum_, data);
  }
  if (observer) {
    for (const QString& channel : started) observer(channel);
  }
  if (ended) emit becameIdle();
  return static_cast<qint64>(count) * kBytesPerSample;
}

}  // namespace character
