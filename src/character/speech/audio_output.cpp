// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio_output.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <atomic>

#include "character/logging.h"

namespace character {

namespace {

constexpr int kSinkBufferMs = 60;
// Silence before the output is suspended: far longer than the sink's buffer, so the end of the
// last clip is heard, and than the pauses of a scene or a lesson, which play on at once.
constexpr int kSilenceBeforeSuspendMs = 10000;

QAudioFormat mixerFormat() {
  QAudioFormat format;
  format.setSampleRate(kMixerSampleRate);
  format.setChannelCount(1);
  format.setSampleFormat(QAudioFormat::Int16);
  return format;
}

bool failed(QAudio::Error error) {
  return error == QAudio::OpenError || error == QAudio::IOError || error == QAudio::FatalError;
}

}  // namespace

AudioOutput::AudioOutput(Mixer& mixer, QObject* parent)
    : QObject(parent), mixer_(mixer), drain_(mixer, clock_) {
  restTimer_.setSingleShot(true);
  restTimer_.setInterval(kSilenceBeforeSuspendMs);
  connect(&restTimer_, &QTimer::timeout, this, &AudioOutput::suspendSinkIfSilent);
  connect(&mixer_, &Mixer::clipStarted, this, &AudioOutput::resumeSink);
  connect(&mixer_, &Mixer::becameIdle, &restTimer_, qOverload<>(&QTimer::start),
          Qt::QueuedConnection);
}

AudioOutput::~AudioOutput() {
  if (sink_) sink_->stop();
}

void AudioOutput::start() {
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (device.isNull()) return drainSilently(QStringLiteral("no sound output device"));
  if (!device.isFormatSupported(mixerFormat())) {
    return drainSilently(QStringLiteral("the sound output cannot play 16-bit mono"));
  }
  sink_ = std::make_unique<QAudioSink>(device, mixerFormat());
  sink_->setBufferSize(static_cast<qsizetype>(msToSamples(kSinkBufferMs) * sizeof(std::int16_t)));
  connect(sink_.get(), &QAudioSink::stateChanged, this, &AudioOutput::onSinkStateChanged);
  sink_->start(&mixer_);
  if (failed(sink_->error())) return drainSilently(QStringLiteral("the sound output did not open"));
  restTimer_.start();
}

void AudioOutput::wake() {
  resumeSink();
  restTimer_.start();
}

void AudioOutput::resumeSink() {
  restTimer_.stop();
  if (sink_ && sink_->state() == QAudio::SuspendedState) sink_->resume();
}

void AudioOutput::suspendSinkIfSilent() {
  if (sink_ && mixer_.idle() && sink_->state() != QAudio::SuspendedState) sink_->suspend();
}

void AudioOutput::onSinkStateChanged(QAudio::State) {
  runGuarded(lcSpeech, "switching to silent speech", [this] {
    if (sink_ && failed(sink_->error())) drainSilently(QStringLiteral("the sound output failed"));
  });
}

void AudioOutput::drainSilently(const QString& reason) {
  if (silent_) return;
  silent_ = true;
  restTimer_.stop();
  if (sink_) {
    sink_->disconnect(this);
    sink_->stop();
    sink_.release()->deleteLater();
  }
  static std::atomic<bool> told = false;
  if (!told.exchange(true)) {
    qCWarning(lcSpeech, "%s; the characters speak silently", qUtf8Printable(reason));
  }
  drain_.start();
}

}  // namespace character
