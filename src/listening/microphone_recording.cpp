// SPDX-License-Identifier: GPL-3.0-or-later
#include "microphone_recording.h"

#include <QAudioDevice>
#include <QAudioSource>
#include <QMediaDevices>
#include <algorithm>
#include <cmath>

#include "resample_16k.h"

namespace listening {

namespace {

QAudioFormat recordingFormat(const QAudioDevice& device) {
  QAudioFormat wanted;
  wanted.setSampleRate(kRecogniserSampleRate);
  wanted.setChannelCount(1);
  wanted.setSampleFormat(QAudioFormat::Int16);
  return device.isFormatSupported(wanted) ? wanted : device.preferredFormat();
}

bool isFailure(QAudio::Error error) {
  return error == QAudio::OpenError || error == QAudio::IOError || error == QAudio::FatalError;
}

}  // namespace

MicrophoneRecording::MicrophoneRecording(Reports reports) : reports_(std::move(reports)) {
  timeLimit_.setSingleShot(true);
  timeLimit_.setInterval(kLongestRecordingMs);
  QObject::connect(&timeLimit_, &QTimer::timeout, &context_, [this] { finish(); });
  QTimer::singleShot(0, &context_, [this] { start(); });
}

MicrophoneRecording::~MicrophoneRecording() {
  stopSource();
}

void MicrophoneRecording::start() {
  const QAudioDevice device = QMediaDevices::defaultAudioInput();
  if (device.isNull()) {
    reports_.failed(ReadingProblem::NoMicrophone);
    return;
  }
  format_ = recordingFormat(device);
  if (!format_.isValid()) {
    reports_.failed(ReadingProblem::MicrophoneUnavailable);
    return;
  }
  sound_ = {{}, format_.sampleRate(), 1};
  source_ = std::make_unique<QAudioSource>(device, format_);
  // Queued: the source may stop with an error from inside start().
  QObject::connect(
      source_.get(), &QAudioSource::stateChanged, &context_,
      [this](QAudio::State state) { onStateChanged(state); }, Qt::QueuedConnection);
  input_ = source_->start();
  if (!input_ || isFailure(source_->error())) {
    stop();
    reports_.failed(ReadingProblem::MicrophoneUnavailable);
    return;
  }
  QObject::connect(input_, &QIODevice::readyRead, &context_, [this] { takeSound(); });
  timeLimit_.start();
}

void MicrophoneRecording::onStateChanged(QAudio::State state) {
  if (state != QAudio::StoppedState || !source_ || !isFailure(source_->error())) return;
  stop();
  reports_.failed(ReadingProblem::MicrophoneUnavailable);
}

// The sound that came since the last time, as mono frames; a frame split between two deliveries
// waits for its rest.
void MicrophoneRecording::takeSound() {
  if (!input_) return;
  partialFrame_ += input_->readAll();
  const int frameBytes = format_.bytesPerFrame();
  const int sampleBytes = format_.bytesPerSample();
  const int channels = format_.channelCount();
  const char* bytes = partialFrame_.constData();
  qsizetype taken = 0;
  for (; taken + frameBytes <= partialFrame_.size() && input_; taken += frameBytes) {
    float sum = 0;
    for (int channel = 0; channel < channels; ++channel)
      sum += format_.normalizedSampleValue(bytes + taken + channel * sampleBytes);
    addFrame(sum / float(channels));
  }
  if (input_) partialFrame_.remove(0, taken);
}

void MicrophoneRecording::addFrame(float sample) {
  const float clamped = std::clamp(sample, -1.0f, 1.0f);
  sound_.samples.push_back(std::int16_t(std::lround(clamped * 32767.0f)));
  blockSquares_ += double(clamped) * clamped;
  if (++blockFrames_ >= std::max(1, sound_.sampleRate / kBlocksPerSecond)) endBlock();
}

void MicrophoneRecording::endBlock() {
  const double rms = std::sqrt(blockSquares_ / blockFrames_);
  blockSquares_ = 0;
  blockFrames_ = 0;
  endpointer_.addBlock(rms);
  reports_.levelChanged(meterLevel(rms));
  if (endpointer_.speechEnded()) finish();
}

void MicrophoneRecording::finish() {
  stop();
  if (endpointer_.heardSpeech()) {
    reports_.ended(std::move(sound_));
  } else {
    reports_.failed(ReadingProblem::NothingHeard);
  }
}

// Stops recording from one of the sound input's own reports (or the time limit): the source is
// deleted once the event loop runs again, when its call has returned.
void MicrophoneRecording::stop() {
  stopSource();
  if (source_) source_.release()->deleteLater();
}

void MicrophoneRecording::stopSource() {
  timeLimit_.stop();
  input_ = nullptr;
  if (!source_) return;
  source_->disconnect(&context_);
  source_->stop();
}

}  // namespace listening
