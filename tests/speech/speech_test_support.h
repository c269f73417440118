// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <cmath>
#include <mutex>
#include <vector>

#include "character/character_file.h"
#include "speech/audio_clip.h"
#include "speech/synthesizer.h"

namespace character::testing {

// A character as the build packed it from art/ (ku.dat, nu.dat, fi.dat), read once.
inline const CharacterData& builtCharacter(const QString& id) {
  static QHash<QString, CharacterData> loaded;
  static const QHash<QString, QString> files{
      {"boy", "ku.dat"}, {"girl", "nu.dat"}, {"vemo", "fi.dat"}};
  if (!loaded.contains(id)) {
    loaded.insert(id, readCharacterFile(QStringLiteral(BINARY_DIR "/bin/") + files.value(id)));
  }
  return loaded[id];
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
