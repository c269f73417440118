// SPDX-License-Identifier: GPL-3.0-or-later
#include "create_speech_service.h"

#include "audio_output.h"
#include "library_pages.h"
#include "synthesized_speech.h"

namespace character {

namespace {

// The synthesised speech together with the output that plays its mixer, opened once here and
// kept open for as long as the program runs; preparing speech wakes a suspended output, so it
// is running by the time the speech plays.
class DesktopSpeech : public SynthesizedSpeech {
 public:
  explicit DesktopSpeech(const std::shared_ptr<Mixer>& mixer)
      : SynthesizedSpeech(mixer), output_(*mixer) {
    output_.start();
  }

  std::shared_ptr<PreparedSpeech> prepare(const CharacterData& speaker, const QString& text,
                                          std::function<void()> onReady,
                                          double pace = 1.0) override {
    output_.wake();
    return SynthesizedSpeech::prepare(speaker, text, std::move(onReady), pace);
  }

 private:
  AudioOutput output_;
};

std::shared_ptr<Mixer> openMixer() {
  auto mixer = std::make_shared<Mixer>();
  mixer->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
  return mixer;
}

}  // namespace

std::unique_ptr<SpeechService> createSpeechService() {
  // The voices' relocation tables were read once, when the module was loaded; each voice reads
  // its tables again when it speaks.
  releaseReadOnlyPages("libflite_cmu_us_");
  return std::make_unique<DesktopSpeech>(openMixer());
}

}  // namespace character
