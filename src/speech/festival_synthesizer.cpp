// SPDX-License-Identifier: GPL-3.0-or-later
#include "festival_synthesizer.h"

#include <QHash>
#include <cmath>
#include <mutex>

#include "festival_process.h"
#include "mouth_shapes.h"
#include "pitch_shift.h"
#include "resample.h"
#include "word_spread.h"

namespace character {

namespace {

// The mean pitch each voice says its sentences at on its own: the median of its voiced frames
// over the 25 sentences of the speech benchmark (docs/speech.md).
const QHash<QString, double> kOwnPitchHz{{QStringLiteral("cmu_us_slt_arctic_hts"), 180}};

// festival reads bytes as Latin letters: accents are taken off ("café" is said "cafe") and
// what has no Latin spelling is left out, and so is anything that would end the line.
std::string festivalText(const QString& text) {
  std::string plain;
  for (const QChar c : text.normalized(QString::NormalizationForm_KD)) {
    if (c.unicode() < 0x80 && (c.isPrint() || c == u' ')) plain += static_cast<char>(c.unicode());
  }
  return plain;
}

std::optional<FestivalSpeech> sayInFestival(const QString& voice, double speed,
                                            const QString& text) {
  static std::mutex mutex;
  static FestivalProcess festival;
  std::lock_guard lock(mutex);
  return festival.say(voice.toStdString(), speed, festivalText(text));
}

// Word times from the segments of each token, as for flite: the tokens are the words between
// the spaces of the text. A token festival said nothing for has no time (a start below 0).
std::vector<WordTiming> tokenTimes(const FestivalSpeech& speech, double msPerSecond) {
  std::vector<WordTiming> times(static_cast<std::size_t>(speech.tokenCount), {-1, -1});
  double segmentStart = 0;
  for (const FestivalSegment& segment : speech.segments) {
    if (segment.token >= 0) {
      WordTiming& time = times[static_cast<std::size_t>(segment.token)];
      if (time.startMs < 0) time.startMs = static_cast<int>(segmentStart * msPerSecond);
      time.endMs = static_cast<int>(segment.endSeconds * msPerSecond);
    }
    segmentStart = segment.endSeconds;
  }
  return times;
}

std::vector<MouthCue> mouthCues(const FestivalSpeech& speech, double msPerSecond) {
  std::vector<MouthCue> cues;
  double segmentStart = 0;
  for (const FestivalSegment& segment : speech.segments) {
    appendMouthCue(cues, static_cast<int>(segmentStart * msPerSecond),
                   mouthShapeOfEnglishPhone(QString::fromStdString(segment.phone)));
    segmentStart = segment.endSeconds;
  }
  appendMouthCue(cues, static_cast<int>(segmentStart * msPerSecond), MouthShape::Closed);
  return cues;
}

}  // namespace

SynthesizedRun FestivalSynthesizer::synthesize(const QString& text, const VoiceSettings& settings) {
  const double formantScale = formantScaleOf(settings);
  const double rate = settings.rate > 0 ? settings.rate : 1.0;
  std::optional<FestivalSpeech> speech = sayInFestival(settings.voice, rate / formantScale, text);
  if (!speech || speech->samples.empty()) return {};
  // Said lower and slower by the formant scale, then played that much faster: the pitch comes
  // out as asked, the formants higher.
  const double ownPitch = kOwnPitchHz.value(settings.voice);
  if (settings.pitchHz > 0 && ownPitch > 0) {
    const double semitones = 12 * std::log2(settings.pitchHz / formantScale / ownPitch);
    speech->samples = shiftPitchKeepingFormants(speech->samples, speech->sampleRate, semitones);
  }
  SynthesizedRun run;
  const int playedRate = static_cast<int>(std::lround(speech->sampleRate * formantScale));
  run.samples = resample(speech->samples.data(), speech->samples.size(), playedRate);
  const double msPerSecond = 1000.0 / formantScale;
  run.words =
      wordTimesOrSpread(text, tokenTimes(*speech, msPerSecond), samplesToMs(run.samples.size()));
  run.mouth = mouthCues(*speech, msPerSecond);
  return run;
}

}  // namespace character
