// SPDX-License-Identifier: GPL-3.0-or-later
#include "espeak_synthesizer.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "espeak_worker.h"
#include "increasing_word_times.h"
#include "mouth_shapes.h"
#include "resample.h"
#include "text_runs.h"
#include "word_spread.h"

namespace character {

namespace {

constexpr int kNormalWordsPerMinute = 175;
constexpr int kDefaultSetting = 50;
// Measured: espeak-ng's male voices ("en-us", "cmn-latn-pinyin") have a median pitch of about
// 95 Hz at its pitch setting 50, and every 72 steps of the setting double it.
constexpr double kMalePitchHzAtDefault = 95;
constexpr double kSettingStepsPerOctave = 72;

struct WordEvent {
  int codePoint = 0;  // from 0, in the text handed to espeak-ng
  int ms = 0;
};

// What espeak-ng's callback collects during one synthesis, on the worker thread.
struct Collected {
  Samples samples;
  int sampleRate = 0;
  std::vector<WordEvent> words;
  std::vector<MouthCue> mouth;
};

thread_local Collected* collecting = nullptr;

int collect(short* samples, int count, espeak_EVENT* events) {
  if (samples) collecting->samples.insert(collecting->samples.end(), samples, samples + count);
  for (espeak_EVENT* event = events; event->type != espeakEVENT_LIST_TERMINATED; ++event) {
    if (event->type == espeakEVENT_WORD) {
      collecting->words.push_back({event->text_position - 1, event->audio_position});
    } else if (event->type == espeakEVENT_PHONEME) {
      const QString phoneme = QString::fromLatin1(event->id.string, strnlen(event->id.string, 8));
      appendMouthCue(collecting->mouth, event->audio_position, mouthShapeOfEspeakPhoneme(phoneme));
    }
  }
  return 0;
}

int clampedSetting(double value) {
  return std::clamp(static_cast<int>(std::lround(value)), 0, 100);
}

int pitchSetting(double pitchHz) {
  if (pitchHz <= 0) return kDefaultSetting;
  return clampedSetting(kDefaultSetting +
                        kSettingStepsPerOctave * std::log2(pitchHz / kMalePitchHzAtDefault));
}

int rangeSetting(double pitchRange) {
  return pitchRange > 0 ? clampedSetting(pitchRange) : kDefaultSetting;
}

// Sets up espeak-ng for one synthesis; false when the voice is unknown or a setting is refused.
bool applySettings(const VoiceSettings& settings, double formantScale) {
  if (espeak_SetVoiceByName(settings.voice.toUtf8().constData()) != EE_OK) return false;
  const double rate = settings.rate > 0 ? settings.rate : 1.0;
  const int wordsPerMinute = static_cast<int>(kNormalWordsPerMinute * rate / formantScale);
  const std::pair<espeak_PARAMETER, int> parameters[] = {
      {espeakRATE, std::clamp(wordsPerMinute, 80, 450)},
      {espeakPITCH, pitchSetting(settings.pitchHz / formantScale)},
      {espeakRANGE, rangeSetting(settings.pitchRange)},
      {espeakVOLUME, 100},
      {espeakWORDGAP, 0}};
  for (const auto& [parameter, value] : parameters) {
    if (espeak_SetParameter(parameter, value, 0) != EE_OK) return false;
  }
  // espeak-ng 1.51 applies these two but reports EE_INTERNAL_ERROR for them (measured: the
  // punctuation setting changes what is said all the same), so their results say nothing.
  espeak_SetParameter(espeakPUNCTUATION, espeakPUNCT_NONE, 0);
  espeak_SetParameter(espeakCAPITALS, 0, 0);
  return true;
}

Collected synthesizeOnWorker(const QString& text, const VoiceSettings& settings,
                             double formantScale) {
  Collected collected;
  EspeakWorker::instance().run([&](int sampleRate) {
    if (sampleRate <= 0 || !applySettings(settings, formantScale)) return;
    collecting = &collected;
    espeak_SetSynthCallback(collect);
    const QByteArray utf8 = text.toUtf8();
    const espeak_ERROR result = espeak_Synth(utf8.constData(), utf8.size() + 1, 0, POS_CHARACTER, 0,
                                             espeakCHARS_UTF8, nullptr, nullptr);
    collecting = nullptr;
    // A synthesis cut short says part of the text at most: the run is treated as unsaid.
    if (result != EE_OK) collected.samples.clear();
    collected.sampleRate = sampleRate;
  });
  return collected;
}

int codePointsBefore(const QString& text, qsizetype offset) {
  return static_cast<int>(QStringView(text).left(offset).toUcs4().size());
}

// Word times from espeak-ng's word events, each matched to the word of splitWords(text) that
// holds the character it names: a word starts at its first event and lasts until the next word
// starts. Falls back to spreading when a word got no event.
std::vector<WordTiming> wordTimes(const QString& text, const std::vector<WordEvent>& events,
                                  int durationMs, double formantScale) {
  const std::vector<base::TextSpan> words = base::wordSpans(text);
  std::vector<int> starts(words.size(), -1);
  for (const WordEvent& event : events) {
    for (std::size_t i = words.size(); i-- > 0;) {
      if (codePointsBefore(text, words[i].offset) > event.codePoint) continue;
      if (starts[i] < 0) starts[i] = static_cast<int>(event.ms / formantScale);
      break;
    }
  }
  if (std::count(starts.begin(), starts.end(), -1) > 0) {
    return spreadOverWords(text, durationMs);
  }
  std::vector<WordTiming> times;
  for (std::size_t i = 0; i < starts.size(); ++i) {
    times.push_back({starts[i], i + 1 < starts.size() ? starts[i + 1] : durationMs});
  }
  makeWordTimesIncreasing(times, durationMs);
  return times;
}

}  // namespace

SynthesizedRun EspeakSynthesizer::synthesize(const QString& text, const VoiceSettings& settings) {
  const double formantScale = formantScaleOf(settings);
  Collected collected = synthesizeOnWorker(text, settings, formantScale);
  SynthesizedRun run;
  if (collected.samples.empty()) return run;
  const int playedRate = static_cast<int>(std::lround(collected.sampleRate * formantScale));
  run.samples = resample(collected.samples.data(), collected.samples.size(), playedRate);
  const int durationMs = samplesToMs(run.samples.size());
  run.words = wordTimes(text, collected.words, durationMs, formantScale);
  for (MouthCue cue : collected.mouth) {
    appendMouthCue(run.mouth, static_cast<int>(cue.startMs / formantScale), cue.shape);
  }
  appendMouthCue(run.mouth, durationMs, MouthShape::Closed);
  return run;
}

}  // namespace character
