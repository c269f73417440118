// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAudio>
#include <QAudioFormat>
#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

#include "listener.h"
#include "speech_endpointer.h"
#include "wav_file.h"

class QAudioSource;
class QIODevice;

namespace listening {

// The longest a reading is recorded, whether the learner spoke or not.
inline constexpr int kLongestRecordingMs = 10000;

// Records the default microphone for one reading: mono 16-bit at 16 kHz, or in the format the
// sound server prefers when it refuses that one. Recording starts when the event loop next
// runs and ends by itself a second after the learner stops speaking (SpeechEndpointer), or after
// kLongestRecordingMs. Reports come from the event loop; destroying the recording stops it and
// no report comes after.
class MicrophoneRecording {
 public:
  struct Reports {
    std::function<void(double level)> levelChanged;  // each block, 0..1 (meterLevel())
    std::function<void(PcmSound sound)> ended;       // the learner spoke: the recording, mono
    // NoMicrophone, MicrophoneUnavailable, or NothingHeard when the time was up without speech
    std::function<void(ReadingProblem problem)> failed;
  };

  explicit MicrophoneRecording(Reports reports);
  ~MicrophoneRecording();
  MicrophoneRecording(const MicrophoneRecording&) = delete;
  MicrophoneRecording& operator=(const MicrophoneRecording&) = delete;

 private:
  void start();
  void takeSound();
  void addFrame(float sample);
  void endBlock();
  void onStateChanged(QAudio::State state);
  void finish();
  void stop();
  void stopSource();

  Reports reports_;
  QObject context_;  // the event loop's calls to this recording
  std::unique_ptr<QAudioSource> source_;
  QIODevice* input_ = nullptr;
  QAudioFormat format_;
  QByteArray partialFrame_;
  PcmSound sound_;
  SpeechEndpointer endpointer_;
  double blockSquares_ = 0;
  int blockFrames_ = 0;
  QTimer timeLimit_;
};

}  // namespace listening
