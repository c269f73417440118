// SPDX-License-Identifier: GPL-3.0-or-later
#include "speech_synthesis.h"

#include <algorithm>
#include <atomic>

#include "base/guarded_run.h"
#include "increasing_word_times.h"
#include "speech_log.h"
#include "text_runs.h"

namespace character {

namespace {

void reportEngineFailureOnce(const VoiceSettings& voice) {
  static std::atomic<bool> reported = false;
  if (reported.exchange(true)) return;
  qCWarning(lcSpeech, "the voice \"%s\" of %s cannot speak; that text stays silent",
            qUtf8Printable(voice.voice), qUtf8Printable(voice.engine));
}

SynthesizedRun silentRun(const QString& text) {
  const Utterance estimate = TimedSpeech::estimate(text);
  return {Samples(msToSamples(estimate.durationMs), 0), estimate.words, {}};
}

SynthesizedRun sayRun(const TextRun& run, const VoiceSettings& voice,
                      const SynthesizerTable& engines) {
  SynthesizedRun said;
  if (Synthesizer* engine = engines.value(voice.engine)) {
    base::runGuarded([&] { said = engine->synthesize(base::withPlainBlanks(run.text), voice); },
                     base::logFailure(lcSpeech, "speech synthesis"));
  }
  if (!said.samples.empty()) return said;
  reportEngineFailureOnce(voice);
  return silentRun(run.text);
}

std::size_t wordHolding(const std::vector<base::TextSpan>& words, qsizetype offset) {
  std::size_t index = 0;
  while (index + 1 < words.size() && words[index + 1].offset <= offset) ++index;
  return index;
}

// Places the words of one run, said from `startMs` on, among the words of the whole text; a
// word split over runs (Chinese and English written together) spans all its parts.
void placeRunWords(const TextRun& run, const SynthesizedRun& said, int startMs,
                   const std::vector<base::TextSpan>& words, std::vector<WordTiming>& times) {
  const std::vector<base::TextSpan> pieces = base::wordSpans(run.text);
  for (std::size_t i = 0; i < pieces.size() && i < said.words.size(); ++i) {
    WordTiming& time = times[wordHolding(words, run.offset + pieces[i].offset)];
    const WordTiming piece{startMs + said.words[i].startMs, startMs + said.words[i].endMs};
    time.startMs = time.startMs < 0 ? piece.startMs : std::min(time.startMs, piece.startMs);
    time.endMs = std::max(time.endMs, piece.endMs);
  }
}

}  // namespace

SpokenText synthesizeText(const QString& text, const VoiceSettings& english,
                          const VoiceSettings& chinese, const SynthesizerTable& engines) {
  SpokenText spoken;
  const std::vector<base::TextSpan> words = base::wordSpans(text);
  std::vector<WordTiming> times(words.size(), {-1, -1});
  for (const TextRun& run : splitIntoRuns(text)) {
    const SynthesizedRun said = sayRun(run, run.chinese ? chinese : english, engines);
    const int startMs = samplesToMs(spoken.samples.size());
    placeRunWords(run, said, startMs, words, times);
    for (const MouthCue& cue : said.mouth) {
      spoken.utterance.mouth.push_back({startMs + cue.startMs, cue.shape});
    }
    spoken.samples.insert(spoken.samples.end(), said.samples.begin(), said.samples.end());
  }
  spoken.utterance.durationMs = samplesToMs(spoken.samples.size());
  makeWordTimesIncreasing(times, spoken.utterance.durationMs);
  spoken.utterance.words = std::move(times);
  return spoken;
}

}  // namespace character
