// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio_output.h"

#include <atomic>

#include "pulse_stream.h"
#include "speech_log.h"

namespace character {

namespace {

// Silence before the output is suspended: far longer than the stream's buffer, so the end of the
// last clip is heard, and than the pauses of a scene or a lesson, which play on at once.
constexpr int kSilenceBeforeSuspendMs = 10000;

}  // namespace

AudioOutput::AudioOutput(Mixer& mixer, QObject* parent)
    : QObject(parent), mixer_(mixer), drain_(mixer, clock_) {
  restTimer_.setSingleShot(true);
  restTimer_.setInterval(kSilenceBeforeSuspendMs);
  connect(&restTimer_, &QTimer::timeout, this, &AudioOutput::suspendIfSilent);
  connect(&mixer_, &Mixer::clipStarted, this, &AudioOutput::resume);
  connect(&mixer_, &Mixer::becameIdle, &restTimer_, qOverload<>(&QTimer::start),
          Qt::QueuedConnection);
}

// The stream goes first: its thread reads the mixer, and a read that ends the last clip signals
// the rest timer, which must not be gone by then.
AudioOutput::~AudioOutput() {
  stream_.reset();
}

void AudioOutput::start() {
  QString failure;
  stream_ = PulseStream::open(
      mixer_, this, [this] { drainSilently(QStringLiteral("the sound output failed")); }, &failure);
  if (!stream_) return drainSilently(QStringLiteral("no sound output device (%1)").arg(failure));
  restTimer_.start();
}

void AudioOutput::wake() {
  resume();
  restTimer_.start();
}

void AudioOutput::resume() {
  restTimer_.stop();
  if (stream_) stream_->setCorked(false);
}

void AudioOutput::suspendIfSilent() {
  if (stream_ && mixer_.idle()) stream_->setCorked(true);
}

void AudioOutput::drainSilently(const QString& reason) {
  if (silent_) return;
  silent_ = true;
  restTimer_.stop();
  stream_.reset();
  static std::atomic<bool> told = false;
  if (!told.exchange(true)) {
    qCWarning(lcSpeech, "%s; the characters speak silently", qUtf8Printable(reason));
  }
  drain_.start();
}

}  // namespace character
