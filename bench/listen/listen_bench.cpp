// SPDX-License-Identifier: GPL-3.0-or-later
// Figures for the reading scorer over the readings make_audio.sh made; run through
// run_listen_bench.sh.
//
//   listen_bench ITEMS.tsv [--fit-voices | --fit-on-half-of-tune] [--fit-weight W]
//                          [--other-than-word P] [--phone-instead-of-word P]
//                          [--free-phones-margin NATS] [--sentence-share S]
//                          [--margin-when-mostly-other-speech NATS] [--leave-out-doubtful-word P]
//
// With --fit-voices, each voice is heard with the recogniser fitted to it as the program fits it
// to a learner: from its correct readings of the tune set that the unfitted scorer heard every
// word of (fitVoice()), `W` of the fit taken (kFitWeight unless given). With
// --fit-on-half-of-tune, each voice is fitted on the first half of its tune readings and only the
// other half is scored, to choose W without the measure set.
//
// For each set (tune, measure) prints, per voice and over all: correct readings, words marked
// heard; mismatched readings (sentence k's audio against sentence k + 1), words marked heard;
// readings with one word left out, or sentences with one word put in that was never said, that
// word marked missed; scoring time / audio time, in
// CPU time of the scoring thread and in wall-clock time (which counts other programs' load).

#include <sys/resource.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <ctime>

#include "listening/resample_16k.h"
#include "listening/scorer.h"
#include "listening/sentence_words.h"
#include "listening/voice_fit.h"
#include "listening/wav_file.h"

using namespace listening;

namespace {

struct Item {
  QString set, voice, noise, check, wav, sentence;
  int leftOut = -1;
};

struct Tally {
  int correctHeard = 0, correctWords = 0;
  int mismatchHeard = 0, mismatchWords = 0;
  int leftOutMissed = 0, leftOutReadings = 0;
  double scoringSeconds = 0, scoringCpuSeconds = 0, audioSeconds = 0;

  void add(const Tally& other) {
    correctHeard += other.correctHeard;
    correctWords += other.correctWords;
    mismatchHeard += other.mismatchHeard;
    mismatchWords += other.mismatchWords;
    leftOutMissed += other.leftOutMissed;
    leftOutReadings += other.leftOutReadings;
    scoringSeconds += other.scoringSeconds;
    scoringCpuSeconds += other.scoringCpuSeconds;
    audioSeconds += other.audioSeconds;
  }
};

double threadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// The CPU time of the child processes waited for (the fit's tools).
double childrenCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

QString ratio(double part, double whole) {
  return QString::number(part / std::max(whole, 1e-9), 'f', 3);
}

QList<Item> readItems(const QString& path) {
  QFile file(path);
  QList<Item> items;
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return items;
  QTextStream in(&file);
  while (!in.atEnd()) {
    const QStringList fields = in.readLine().split(QLatin1Char('\t'));
    if (fields.size() == 7)
      items.append(
          {fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6].toInt()});
  }
  return items;
}

void count(const Item& item, const std::vector<WordScore>& scores, Tally& tally) {
  int heard = 0;
  for (const WordScore& score : scores) heard += score.heard ? 1 : 0;
  if (item.check == QLatin1String("correct")) {
    tally.correctHeard += heard;
    tally.correctWords += int(scores.size());
  } else if (item.check == QLatin1String("mismatch")) {
    tally.mismatchHeard += heard;
    tally.mismatchWords += int(scores.size());
  } else if (item.leftOut >= 0 && item.leftOut < int(scores.size())) {
    tally.leftOutMissed += scores[std::size_t(item.leftOut)].heard ? 0 : 1;
    tally.leftOutReadings += 1;
  }
}

QString percent(int part, int whole) {
  return whole ? QString::number(100.0 * part / whole, 'f', 1) + QLatin1Char('%')
               : QStringLiteral("-");
}

void printRow(QTextStream& out, const QString& label, const Tally& tally) {
  out << "| " << label << " | " << percent(tally.correctHeard, tally.correctWords) << " | "
      << percent(tally.mismatchHeard, tally.mismatchWords) << " | "
      << percent(tally.leftOutMissed, tally.leftOutReadings) << " | "
      << ratio(tally.scoringCpuSeconds, tally.audioSeconds) << " | "
      << ratio(tally.scoringSeconds, tally.audioSeconds) << " |\n";
}

void printTable(QTextStream& out, const QString& set, const QMap<QString, Tally>& byVoice,
                const QMap<QString, Tally>& byNoise) {
  out << "\n"
      << set << " set\n\n"
      << "| readings | correct: heard (goal >= 97%) | mismatched: heard (<= 3%) | "
         "word not said: missed (>= 97%) | scoring CPU time / audio time (<= 0.1) | "
         "the same, wall-clock time |\n"
      << "|---|---|---|---|---|---|\n";
  Tally all;
  for (auto voice = byVoice.begin(); voice != byVoice.end(); ++voice) {
    printRow(out, voice.key(), voice.value());
    all.add(voice.value());
  }
  for (auto noise = byNoise.begin(); noise != byNoise.end(); ++noise)
    printRow(out, QStringLiteral("all, ") + noise.key(), noise.value());
  printRow(out, QStringLiteral("**all**"), all);
}

struct VoiceFitting {
  bool fit = false;
  bool onHalfOfTune = false;
  double weight = kFitWeight;
};

bool parseOptions(QStringList arguments, GrammarWeights& weights, VoiceFitting& fitting) {
  fitting.fit = arguments.removeAll(QStringLiteral("--fit-voices")) > 0;
  fitting.onHalfOfTune = arguments.removeAll(QStringLiteral("--fit-on-half-of-tune")) > 0;
  fitting.fit = fitting.fit || fitting.onHalfOfTune;
  for (qsizetype i = 2; i + 1 < arguments.size(); i += 2) {
    if (arguments[i] == QLatin1String("--fit-weight"))
      fitting.weight = arguments[i + 1].toDouble();
    else if (arguments[i] == QLatin1String("--other-than-word"))
      weights.otherThanWord = arguments[i + 1].toDouble();
    else if (arguments[i] == QLatin1String("--phone-instead-of-word"))
      weights.phoneInsteadOfWord = arguments[i + 1].toDouble();
    else if (arguments[i] == QLatin1String("--free-phones-margin"))
      weights.freePhonesMarginPerFrame = arguments[i + 1].toDouble();
    else if (arguments[i] == QLatin1String("--sentence-share"))
      weights.sentenceShareOfSpeech = arguments[i + 1].toDouble();
    else if (arguments[i] == QLatin1String("--margin-when-mostly-other-speech"))
      weights.marginWhenMostlyOtherSpeech = arguments[i + 1].toDouble();
    else if (arguments[i] == QLatin1String("--leave-out-doubtful-word"))
      weights.leaveOutDoubtfulWord = arguments[i + 1].toDouble();
    else
      return false;
  }
  return arguments.size() % 2 == 0;
}

struct Scored {
  std::vector<std::int16_t> samples;  // as the recogniser took them
  std::vector<WordScore> words;
  Tally tally;
};

std::optional<Scored> scoreItem(Scorer& scorer, const Item& item, QTextStream& out) {
  PcmSound sound;
  QString error;
  if (!readWavFile(item.wav, sound, error)) {
    out << error << "\n";
    return std::nullopt;
  }
  Scored scored;
  scored.samples = toRecogniserInput(sound);
  const std::vector<std::int16_t>& samples = scored.samples;
  QElapsedTimer timer;
  timer.start();
  const double cpuStart = threadCpuSeconds();
  const auto scores = scorer.score(samples, item.sentence);
  scored.tally.scoringCpuSeconds = threadCpuSeconds() - cpuStart;
  scored.tally.scoringSeconds = double(timer.nsecsElapsed()) / 1e9;
  scored.tally.audioSeconds = double(samples.size()) / kRecogniserSampleRate;
  if (!scores) {
    out << "the recogniser failed on " << item.wav << "\n";
    return std::nullopt;
  }
  scored.words = *scores;
  count(item, scored.words, scored.tally);
  return scored;
}

// The voice's correct tune readings that `scorer` hears every word of, kept in `voice`.
bool keepWellHeardReadings(Scorer& scorer, const QList<Item>& items, VoiceReadings& voice,
                           QTextStream& out) {
  for (const Item& item : items) {
    if (item.set != QLatin1String("tune") || item.check != QLatin1String("correct")) continue;
    const auto scored = scoreItem(scorer, item, out);
    if (!scored) return false;
    if (everyWordHeard(scored->words) && !voice.keep(scored->samples, item.sentence)) return false;
  }
  return true;
}

// A scorer fitted to the voice of `items`; the unfitted one when the fit fails.
std::unique_ptr<Scorer> fittedScorer(const ScorerSettings& settings, double weight,
                                     Scorer& unfitted, const QList<Item>& items, QTextStream& out) {
  QTemporaryDir folder;
  VoiceReadings voice(folder.path());
  QString error;
  if (!keepWellHeardReadings(unfitted, items, voice, out)) return nullptr;
  ScorerSettings fitted = settings;
  QElapsedTimer timer;
  timer.start();
  const double cpuStart = threadCpuSeconds() + childrenCpuSeconds();
  if (fitVoice(settings.modelDirectory, voice.readings(), voice.transformPath(), error, weight))
    fitted.speakerTransform = voice.transformPath();
  else
    out << items.first().voice << ": not fitted: " << error << "\n";
  out << items.first().voice << ": fitted on " << voice.readings().size() << " readings in "
      << QString::number(threadCpuSeconds() + childrenCpuSeconds() - cpuStart, 'f', 2)
      << " s of CPU (" << QString::number(double(timer.elapsed()) / 1000, 'f', 2)
      << " s wall-clock)\n";
  return Scorer::create(fitted, error);
}

// The sentence a reading says, whether noisy or with its word left out.
QString sentenceRead(const Item& item) {
  return QString(item.wav).remove(QStringLiteral("-omit")).remove(QStringLiteral("-noise"));
}

// The voice's tune items split by the sentence they read: those of the first half of its
// sentences to fit on, the others to score (as the set "tune, other half"); no measure items.
std::pair<QList<Item>, QList<Item>> halvesOfTune(const QList<Item>& items) {
  QStringList sentences;
  for (const Item& item : items)
    if (item.set == QLatin1String("tune") && !sentences.contains(sentenceRead(item)))
      sentences << sentenceRead(item);
  QList<Item> fitOn, scored;
  for (Item item : items) {
    if (item.set != QLatin1String("tune")) continue;
    const qsizetype at = sentences.indexOf(sentenceRead(item));
    if (at < sentences.size() / 2) {
      fitOn << item;
    } else {
      item.set = QStringLiteral("tune, other half");
      scored << item;
    }
  }
  return {fitOn, scored};
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  QTextStream out(stdout);
  const QStringList arguments = QCoreApplication::arguments();
  ScorerSettings settings;
  VoiceFitting fitting;
  if (arguments.size() < 2 || !parseOptions(arguments, settings.weights, fitting)) {
    out << "usage: listen_bench ITEMS.tsv [--fit-voices | --fit-on-half-of-tune] [--fit-weight W] "
           "[--other-than-word P] "
           "[--phone-instead-of-word P] "
           "[--free-phones-margin NATS] [--sentence-share S] "
           "[--margin-when-mostly-other-speech NATS] [--leave-out-doubtful-word P]\n";
    return 1;
  }
  QString error;
  const auto scorer = Scorer::create(settings, error);
  if (!scorer) {
    out << error << "\n";
    return 1;
  }
  QMap<QString, QList<Item>> itemsByVoice;
  for (const Item& item : readItems(arguments[1])) itemsByVoice[item.voice].append(item);
  QMap<QString, QMap<QString, Tally>> byVoice, byNoise;
  for (const QList<Item>& voiceItems : itemsByVoice) {
    const auto [fitOn, items] =
        fitting.onHalfOfTune ? halvesOfTune(voiceItems) : std::pair{voiceItems, voiceItems};
    const auto fitted =
        fitting.fit ? fittedScorer(settings, fitting.weight, *scorer, fitOn, out) : nullptr;
    if (fitting.fit && !fitted) return 1;
    for (const Item& item : items) {
      const auto scored = scoreItem(fitted ? *fitted : *scorer, item, out);
      if (!scored) return 1;
      byVoice[item.set][item.voice].add(scored->tally);
      byNoise[item.set][item.noise].add(scored->tally);
    }
  }
  out << "weights: other than word " << settings.weights.otherThanWord << ", phone instead of word "
      << settings.weights.phoneInsteadOfWord << ", free phones margin "
      << settings.weights.freePhonesMarginPerFrame << " a frame; below "
      << settings.weights.sentenceShareOfSpeech << " of the speech in the sentence's words, "
      << settings.weights.marginWhenMostlyOtherSpeech << " a frame; a doubtful word left out "
      << settings.weights.leaveOutDoubtfulWord << "\n";
  for (const QString& set :
       {QStringLiteral("tune"), QStringLiteral("tune, other half"), QStringLiteral("measure")})
    if (byVoice.contains(set)) printTable(out, set, byVoice[set], byNoise[set]);
  return 0;
}
