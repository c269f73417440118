// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound_playback.h"

#include <QAudioFormat>
#include <QMediaDevices>
#include <QTimer>

#include "listening_log.h"

namespace listening {

SoundPlayback::SoundPlayback(const RecordedSound& sound, std::function<void()> finished)
    : bytes_(reinterpret_cast<const char*>(sound.samples.data()),
             qsizetype(sound.samples.size() * sizeof(std::int16_t))),
      finished_(std::move(finished)) {
  QAudioFormat format;
  format.setSampleRate(sound.sampleRate);
  format.setChannelCount(1);
  format.setSampleFormat(QAudioFormat::Int16);
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (device.isNull() || !device.isFormatSupported(format) || bytes_.isEmpty()) {
    qCWarning(lcListening, "cannot play the recording back");
    QTimer::singleShot(0, &context_, [this] { finish(); });
    return;
  }
  buffer_.setBuffer(&bytes_);
  buffer_.open(QIODevice::ReadOnly);
  sink_ = std::make_unique<QAudioSink>(device, format);
  QObject::connect(
      sink_.get(), &QAudioSink::stateChanged, &context_,
      [this](QAudio::State state) {
        if (state == QAudio::IdleState || state == QAudio::StoppedState) finish();
      },
      Qt::QueuedConnection);
  sink_->start(&buffer_);
}

SoundPlayback::~SoundPlayback() {
  context_.disconnect();
  if (sink_) sink_->stop();
}

void SoundPlayback::finish() {
  if (sink_) sink_->stop();
  if (const std::function<void()> finished = std::exchange(finished_, nullptr)) finished();
}

}  // namespace listening
