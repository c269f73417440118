#pragma once

#include <QCoreApplication>
#include <QString>
#include <cmath>
#include <mutex>
#include <vector>

#include "character/speech/audio_clip.h"
#include "character/speech/synthesizer.h"

namespace character::testing {

// The application object that queued calls and timers need; made once for the whole run.
inline void ensureApplication() {
  static int argc = 1;
  static char name[] = "speech_tests";
  static char* argv[] = {name, nullptr};
  if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
}

inline double rootMeanSquare(const Samples& samples) {
  double sum = 0;
  for (std::int16_t sample : samples) sum += double(sample) * sample;
  return samples.empty() ? 0 : std::sqrt(sum / samples.size());
}

// Passes every call on to a real engine and remembers what it was asked to say.
class RecordingSynthesizer : public Synthesizer {
 public:
  explicit RecordingSynthesizer(Synthesizer& engine) : engine_(engine) {}

  SynthesizedRun synthesize(const QString& text, const VoiceSettings& voice) override {
    {
      std::lock_guard lock(mutex_);
      texts_.push_back(text);
    }
    return engine_.synthesize(text, voice);
  }

  std::vector<QString> texts() const {
    std::lock_guard lock(mutex_);
    return texts_;
  }

 private:
  Synthesizer& engine_;
  mutable std::mutex mutex_;
  std::vector<QString> texts_;
};

}  // namespace character::testing
