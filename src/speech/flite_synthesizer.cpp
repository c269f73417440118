// SPDX-License-Identifier: GPL-3.0-or-later
#include "flite_synthesizer.h"

#include <flite/flite.h>
#include <malloc.h>

#include <QHash>
#include <cmath>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <utility>

#include "library_pages.h"
#include "mouth_shapes.h"
#include "resample.h"
#include "word_spread.h"

extern "C" {
#include <flite/cst_cg.h>  // declares its functions without C linkage of its own

cst_voice* register_cmu_us_rms(const char* voxdir);
cst_voice* register_cmu_us_slt(const char* voxdir);
cst_voice* register_cmu_us_awb(const char* voxdir);
}

namespace character {

namespace {

struct FliteVoice {
  cst_voice* voice = nullptr;
  float pitchMean = 0;
  float pitchStddev = 0;
  float durationStretch = 1;
};

// The voice's own pitch is that of the recordings its model was trained on: clustergen voices
// (rms, slt, awb) keep it in their database, not in the voice's features.
FliteVoice describe(cst_voice* voice) {
  const cst_val* database = feat_val(voice->features, "cg_db");
  const cst_cg_db* model = database ? val_cg_db(database) : nullptr;
  return {voice,
          get_param_float(voice->features, "int_f0_target_mean", model ? model->f0_mean : 100),
          get_param_float(voice->features, "int_f0_target_stddev", model ? model->f0_stddev : 12),
          get_param_float(voice->features, "duration_stretch", 1)};
}

using VoiceRegistration = cst_voice* (*)(const char* voxdir);

// Each voice is registered the first time it speaks, so a voice nobody uses costs nothing, and
// kept to the process's end: flite has no safe way to drop a voice another thread may still be
// using. Safe to call from several threads.
std::optional<FliteVoice> registeredVoice(const QString& name) {
  static const QHash<QString, VoiceRegistration> registrations{
      {"rms", register_cmu_us_rms}, {"slt", register_cmu_us_slt}, {"awb", register_cmu_us_awb}};
  static std::mutex mutex;
  static QHash<QString, FliteVoice> voices;
  std::lock_guard lock(mutex);
  if (const auto found = voices.constFind(name); found != voices.constEnd()) return *found;
  const VoiceRegistration registration = registrations.value(name);
  if (!registration) return std::nullopt;
  if (voices.isEmpty()) flite_init();
  return *voices.insert(name, describe(registration(nullptr)));
}

// A voice's tables are read only while it speaks: between its sentences they need not stay in
// the program's memory (see releaseReadOnlyPages()), nor does the lexicon all voices share, nor
// the megabytes of small blocks a sentence's synthesis freed on this thread's heap.
void releaseVoiceMemory(const QString& name) {
  releaseReadOnlyPages(QByteArray("libflite_cmu_us_" + name.toUtf8()).constData());
  releaseReadOnlyPages("libflite_cmulex");
  malloc_trim(0);
}

// Applies every setting to this utterance alone; the voice's own features stay untouched.
void applySettings(cst_utterance* utterance, const FliteVoice& voice, const VoiceSettings& settings,
                   double formantScale) {
  const double pitch = settings.pitchHz > 0 ? settings.pitchHz : voice.pitchMean;
  const double range = settings.pitchRange > 0 ? settings.pitchRange : voice.pitchStddev;
  const double rate = settings.rate > 0 ? settings.rate : 1.0;
  feat_set_float(utterance->features, "int_f0_target_mean", pitch / formantScale);
  feat_set_float(utterance->features, "int_f0_target_stddev", range / formantScale);
  feat_set_float(utterance->features, "duration_stretch",
                 voice.durationStretch * formantScale / rate);
}

// flite's vocoder draws the noise of unvoiced sounds from the C library's rand(), one sequence
// for the whole process: unseeded, a sentence would sound different after every other sentence
// any voice said before it, and the recogniser hears those versions differently by several
// points of word error. Each utterance starts the sequence afresh, under a lock, since the pool
// synthesises on two threads: a voice says a sentence the same way every time.
constexpr unsigned kVocoderNoiseSeed = 1;

bool synthesizeWithFixedNoise(cst_utterance* utterance) {
  static std::mutex mutex;
  std::lock_guard lock(mutex);
  std::srand(kVocoderNoiseSeed);
  return utt_synth(utterance) != nullptr;
}

cst_item* tokenOfSegment(cst_item* segment) {
  cst_item* syllable = item_parent(item_as(segment, "SylStructure"));
  cst_item* word = syllable ? item_parent(syllable) : nullptr;
  return word ? item_parent(item_as(word, "Token")) : nullptr;
}

// Word times from the segments of each token; flite's tokens are the words between the spaces
// of the text, which has only plain spaces for blanks (see withPlainBlanks()): the same split as
// splitWords(). A token flite said nothing for has no time (a start below 0).
std::vector<WordTiming> tokenTimes(cst_utterance* utterance, double msPerSecond) {
  QHash<const cst_item*, int> tokenIndex;
  int count = 0;
  for (cst_item* token = relation_head(utt_relation(utterance, "Token")); token;
       token = item_next(token)) {
    tokenIndex.insert(token, count++);
  }
  std::vector<WordTiming> times(count, {-1, -1});
  double segmentStart = 0;
  for (cst_item* segment = relation_head(utt_relation(utterance, "Segment")); segment;
       segment = item_next(segment)) {
    const double segmentEnd = item_feat_float(segment, "end");
    const auto found = tokenIndex.constFind(tokenOfSegment(segment));
    if (found != tokenIndex.constEnd()) {
      WordTiming& time = times[*found];
      if (time.startMs < 0) time.startMs = static_cast<int>(segmentStart * msPerSecond);
      time.endMs = static_cast<int>(segmentEnd * msPerSecond);
    }
    segmentStart = segmentEnd;
  }
  return times;
}

std::vector<MouthCue> mouthCues(cst_utterance* utterance, double msPerSecond) {
  std::vector<MouthCue> cues;
  double segmentStart = 0;
  for (cst_item* segment = relation_head(utt_relation(utterance, "Segment")); segment;
       segment = item_next(segment)) {
    appendMouthCue(cues, static_cast<int>(segmentStart * msPerSecond),
                   mouthShapeOfEnglishPhone(QString::fromUtf8(item_name(segment))));
    segmentStart = item_feat_float(segment, "end");
  }
  appendMouthCue(cues, static_cast<int>(segmentStart * msPerSecond), MouthShape::Closed);
  return cues;
}

}  // namespace

SynthesizedRun FliteSynthesizer::synthesize(const QString& text, const VoiceSettings& settings) {
  const std::optional<FliteVoice> found = registeredVoice(settings.voice);
  if (!found) return {};
  const double formantScale = formantScaleOf(settings);
  cst_utterance* utterance = new_utterance();
  utt_set_input_text(utterance, text.toUtf8().constData());
  utt_init(utterance, found->voice);
  applySettings(utterance, *found, settings, formantScale);
  SynthesizedRun run;
  const cst_wave* wave = synthesizeWithFixedNoise(utterance) ? utt_wave(utterance) : nullptr;
  if (wave) {
    const int playedRate = static_cast<int>(std::lround(wave->sample_rate * formantScale));
    run.samples = resample(wave->samples, wave->num_samples, playedRate);
    const double msPerSecond = 1000.0 / formantScale;
    run.words = tokenTimes(utterance, msPerSecond);
    run.mouth = mouthCues(utterance, msPerSecond);
  }
  delete_utterance(utterance);
  releaseVoiceMemory(settings.voice);
  run.words = wordTimesOrSpread(text, std::move(run.words), samplesToMs(run.samples.size()));
  return run;
}

}  // namespace character
