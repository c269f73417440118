// SPDX-License-Identifier: GPL-3.0-or-later
// Figures for the voices and the audio path; run through run_speech_bench.sh.
//
//   speech_bench voices VOICES.tsv SENTENCES.txt OUT_DIR
//     says every sentence in every voice of VOICES.tsv, writes OUT_DIR/<label>/<n>.wav (16 kHz,
//     for the recogniser) and prints synthesis time / audio time per voice.
//   speech_bench latency [COUNT]
//     prepares COUNT sentences ahead, then plays them one by one through the program's own audio
//     output and prints the time from play() to the clip's first frame leaving the mixer.

#include <flite/flite.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTextStream>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>

#include "speech/audio_output.h"
#include "speech/espeak_synthesizer.h"
#include "speech/festival_synthesizer.h"
#include "speech/flite_synthesizer.h"
#include "speech/resample.h"
#include "speech/speech_synthesis.h"
#include "speech/synthesized_speech.h"

using namespace character;

namespace {

constexpr int kRecogniserSampleRate = 16000;

QStringList linesOf(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
    std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
    std::exit(1);
  }
  QStringList lines;
  QTextStream stream(&file);
  while (!stream.atEnd()) {
    const QString line = stream.readLine();
    if (!line.trimmed().isEmpty() && !line.startsWith(u'#')) lines.append(line);
  }
  return lines;
}

void writeWave(const Samples& samples, const QString& path) {
  const Samples resampled =
      resample(samples.data(), samples.size(), kMixerSampleRate, kRecogniserSampleRate);
  cst_wave* wave = new_wave();
  cst_wave_resize(wave, static_cast<int>(resampled.size()), 1);
  std::copy(resampled.begin(), resampled.end(), wave->samples);
  cst_wave_set_sample_rate(wave, kRecogniserSampleRate);
  cst_wave_save_riff(wave, path.toLocal8Bit().constData());
  delete_wave(wave);
}

int benchVoices(const QString& voicesPath, const QString& sentencesPath, const QString& outDir) {
  FliteSynthesizer flite;
  FestivalSynthesizer festival;
  EspeakSynthesizer espeak;
  const SynthesizerTable engines{
      {"flite", &flite}, {"festival", &festival}, {"espeak-ng", &espeak}};
  const QStringList sentences = linesOf(sentencesPath);
  std::printf("%-6s %-22s %s\n", "who", "voice", "synthesis/audio");
  for (const QString& line : linesOf(voicesPath)) {
    const QStringList f = line.split(u'\t');
    const VoiceSettings voice{
        f[2], f[3], f[4].toDouble(), f[5].toDouble(), f[6].toDouble(), f[7].toDouble()};
    QDir(outDir).mkpath(f[1]);
    double synthesisMs = 0;
    double audioMs = 0;
    for (qsizetype i = 0; i < sentences.size(); ++i) {
      QElapsedTimer timer;
      timer.start();
      const SpokenText spoken = synthesizeText(sentences[i], voice, voice, engines);
      synthesisMs += timer.nsecsElapsed() / 1e6;
      audioMs += spoken.utterance.durationMs;
      writeWave(spoken.samples, QStringLiteral("%1/%2/%3.wav").arg(outDir, f[1]).arg(i + 1));
    }
    std::printf("%-6s %-22s %.4f\n", qPrintable(f[0]), qPrintable(f[1]), synthesisMs / audioMs);
  }
  return 0;
}

// A Speak starts whenever the engine's clock says, not in step with the audio output: each clip
// is played after a random pause.
constexpr int kMaxStartDelayMs = 50;
// A null sink plays a new stream's first two seconds or so in one block before it takes the
// stream's short latency; in the program the output has been open for longer than that when the
// first Speak comes.
constexpr int kOutputSettleMs = 3000;

void waitWithEvents(int ms) {
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}

int benchLatency(int count) {
  // Declared before the mixer: the output may read the mixer, and so tell the observer, until
  // the mixer goes.
  std::atomic<std::int64_t> heardNs = 0;
  QElapsedTimer clock;
  clock.start();
  auto mixer = std::make_shared<Mixer>();
  mixer->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
  AudioOutput output(*mixer);
  output.start();
  SynthesizedSpeech service(mixer);
  CharacterData boy;
  boy.id = QStringLiteral("boy");
  std::vector<std::shared_ptr<PreparedSpeech>> speeches;
  for (int i = 0; i < count; ++i) {
    speeches.push_back(service.prepare(boy, QStringLiteral("Sentence number %1.").arg(i), {}));
  }
  while (std::any_of(speeches.begin(), speeches.end(), [](auto& s) { return !s->ready(); })) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  waitWithEvents(kOutputSettleMs);
  mixer->setFirstFrameObserver([&](const QString&) { heardNs = clock.nsecsElapsed(); });
  std::vector<double> latencies;
  QRandomGenerator random(7);
  for (const auto& speech : speeches) {
    waitWithEvents(random.bounded(kMaxStartDelayMs));
    heardNs = 0;
    const std::int64_t playedNs = clock.nsecsElapsed();
    service.play(QStringLiteral("boy"), speech);
    while (heardNs == 0 && clock.nsecsElapsed() - playedNs < 2'000'000'000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    latencies.push_back((heardNs - playedNs) / 1e6);
    service.stop(QStringLiteral("boy"));
  }
  std::sort(latencies.begin(), latencies.end());
  std::printf(
      "output: %s\nplay() to first frame mixed, ms: median %.1f, 90%% %.1f, max %.1f (%d clips)\n",
      output.silent() ? "timer drain (no sound output)" : "sound server",
      latencies[latencies.size() / 2], latencies[latencies.size() * 9 / 10], latencies.back(),
      count);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() == 5 && args[1] == u"voices") return benchVoices(args[2], args[3], args[4]);
  if (args.size() >= 2 && args[1] == u"latency") {
    return benchLatency(args.size() > 2 ? args[2].toInt() : 50);
  }
  std::fprintf(stderr, "usage: speech_bench voices VOICES SENTENCES OUT | latency [COUNT]\n");
  return 2;
}
