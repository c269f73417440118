// SPDX-License-Identifier: GPL-3.0-or-later
// Fitting the recogniser to the learner's voice: the readings kept for it, the fit made by
// sphinxtrain's tools from readings synthesised at test time (flite), and the transforms the
// scorer takes.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "listening/resample_16k.h"
#include "listening/scorer.h"
#include "listening/scoring_worker.h"
#include "listening/speaker_transform.h"
#include "listening/voice_fit.h"
#include "listening/wav_file.h"

using namespace listening;

namespace {

const QStringList kSentences = {"I usually have breakfast at seven in the morning.",
                                "Could you tell me the way to the station?",
                                "My brother plays football every weekend.",
                                "The weather is very nice today.",
                                "Please open your books at page twenty.",
                                "How much does this jacket cost?",
                                "I have lived in this city for three years.",
                                "Let us meet at the library after school.",
                                "The train leaves at half past nine.",
                                "Thank you very much for your help."};

std::vector<std::int16_t> flite(const QString& text, const QTemporaryDir& folder) {
  const QString wav = folder.filePath(QStringLiteral("said.wav"));
  QProcess process;
  process.start(QStringLiteral("flite"), {"-voice", "slt", "-t", text, "-o", wav});
  PcmSound sound;
  QString error;
  if (!process.waitForFinished(60000) || !readWavFile(wav, sound, error)) return {};
  return toRecogniserInput(sound);
}

int heard(const std::vector<WordScore>& words) {
  return int(std::count_if(words.begin(), words.end(), [](const WordScore& w) { return w.heard; }));
}

// A transform of `streams` streams of 13 numbers in the form the recogniser reads: each matrix
// `diagonal` times the identity, each shift `shift`, each scale 1. (1, 0) leaves the model as it
// is.
QString transform(int streams, double diagonal = 1, double shift = 0) {
  QString text = QStringLiteral("1\n%1\n").arg(streams);
  for (int stream = 0; stream < streams; ++stream) {
    text += QStringLiteral("13\n");
    for (int row = 0; row < 13; ++row)
      for (int column = 0; column < 13; ++column)
        text += QString::number(row == column ? diagonal : 0) + (column == 12 ? "\n" : " ");
    text += QString(QString::number(shift) + " ").repeated(13) + QStringLiteral("\n");
    text += QString(QStringLiteral("1 ")).repeated(13) + QStringLiteral("\n");
  }
  return text;
}

QStringList numbersIn(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromLatin1(file.readAll()).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
}

void write(const QString& path, const QString& text) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text.toLatin1());
}

}  // namespace

// The newest readings are kept, each whole; a fit is due after every ten new ones.
TEST(VoiceReadingsTest, TheNewestWholeReadingsAreKeptAndAFitIsDueEveryTenReadings) {
  QTemporaryDir folder;
  VoiceReadings voice(folder.path());
  const std::vector<std::int16_t> samples(1600, 100);
  for (int k = 1; k <= VoiceReadings::kKept + 2; ++k)
    ASSERT_TRUE(voice.keep(samples, QStringLiteral("sentence %1").arg(k)));
  std::vector<KeptReading> kept = voice.readings();
  ASSERT_EQ(kept.size(), std::size_t(VoiceReadings::kKept));
  EXPECT_EQ(kept.front().sentence, QStringLiteral("sentence 3"));
  EXPECT_EQ(kept.back().sentence, QStringLiteral("sentence 62"));
  EXPECT_TRUE(QFile::remove(QString(kept[5].wavPath).replace(".wav", ".txt")));
  write(folder.filePath(QStringLiteral("00000099.wav.part")), QStringLiteral("cut short"));
  EXPECT_EQ(voice.readings().size(), std::size_t(VoiceReadings::kKept - 1));
  EXPECT_TRUE(voice.fitDue());

  voice.markFitted();
  EXPECT_FALSE(voice.fitDue());
  for (int k = 1; k < VoiceReadings::kReadingsPerFit; ++k) ASSERT_TRUE(voice.keep(samples, "more"));
  EXPECT_FALSE(voice.fitDue());
  ASSERT_TRUE(voice.keep(samples, QStringLiteral("more")));
  EXPECT_TRUE(voice.fitDue());
  EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("00000099.wav.part"))));
}

// Only a whole transform of this model reaches the recogniser; one that leaves the model as it
// is leaves the words heard as they were. Half of a transform is half-way to that one.
TEST(SpeakerTransformTest, OnlyAWholeTransformOfTheModelIsTaken) {
  QTemporaryDir folder;
  const QString model = ScorerSettings::defaultModelDirectory();
  const QString path = folder.filePath(QStringLiteral("transform"));
  const QString whole = transform(3);
  write(path, whole);
  EXPECT_TRUE(transformFitsModel(path, model));
  for (const QString& bad :
       {whole.left(whole.size() / 2), transform(2),
        QString(whole).replace(QStringLiteral("1 "), QStringLiteral("nan "))}) {
    write(path, bad);
    EXPECT_FALSE(transformFitsModel(path, model));
  }
  EXPECT_FALSE(weighTransform(path, 0.5));
  write(path, transform(3, 3, 2));
  ASSERT_TRUE(weighTransform(path, 0.5));
  const QString half = folder.filePath(QStringLiteral("half"));
  write(half, transform(3, 2, 1));
  EXPECT_EQ(numbersIn(path), numbersIn(half));
  write(path, whole);
  ScorerSettings settings;
  QString error;
  const auto unfitted = Scorer::create(settings, error);
  settings.speakerTransform = path;
  const auto fitted = Scorer::create(settings, error);
  ASSERT_TRUE(unfitted && fitted) << error.toStdString();
  const std::vector<std::int16_t> reading = flite(kSentences[1], folder);
  const auto before = unfitted->score(reading, kSentences[1]);
  const auto after = fitted->score(reading, kSentences[1]);
  ASSERT_TRUE(before && after);
  EXPECT_EQ(heard(*after), heard(*before));
  EXPECT_GE(heard(*after), 7);
}

// A fit from ten readings: the scorer made with it hears a reading of a sentence it was not fitted
// on, and still hears none of another sentence's words.
TEST(VoiceFitTest, TheScorerFittedToAVoiceHearsItsReadingsAndNotAnotherSentence) {
  QTemporaryDir folder;
  VoiceReadings voice(folder.filePath(QStringLiteral("voice")));
  for (const QString& sentence : kSentences)
    ASSERT_TRUE(voice.keep(flite(sentence, folder), sentence));
  QString error;
  ASSERT_TRUE(fitVoice(ScorerSettings::defaultModelDirectory(), voice.readings(),
                       voice.transformPath(), error))
      << error.toStdString();
  EXPECT_TRUE(transformFitsModel(voice.transformPath(), ScorerSettings::defaultModelDirectory()));

  ScorerSettings settings;
  settings.speakerTransform = voice.transformPath();
  const auto scorer = Scorer::create(settings, error);
  ASSERT_TRUE(scorer) << error.toStdString();
  const QString sentence = QStringLiteral("We are going to visit our grandparents next month.");
  const auto said = scorer->score(flite(sentence, folder), sentence);
  const auto other = scorer->score(flite(sentence, folder), kSentences[1]);
  ASSERT_TRUE(said && other);
  EXPECT_EQ(heard(*said), 9);
  EXPECT_EQ(heard(*other), 0);
}

// The worker keeps each reading it heard every word of, and fits the recogniser to the voice once
// ten are kept; a reading with words missed is not kept.
TEST(ScoringWorkerTest, ReadingsHeardWholeAreKeptAndFitTheRecogniserToTheVoice) {
  QTemporaryDir folder;
  const QString voiceFolder = folder.filePath(QStringLiteral("voice"));
  ScoringWorker worker(ScoringWorker::kIdleRelease, voiceFolder);
  QStringList readings = kSentences;
  readings << QStringLiteral("We are going to visit our grandparents next month.");
  int scored = 0, wholeReadings = 0;
  for (qsizetype k = 0; k <= readings.size(); ++k) {
    const bool other = k == readings.size();  // read sentence 0 against sentence 1
    const QString said = readings[other ? 0 : k];
    worker.score(PcmSound{flite(said, folder), kRecogniserSampleRate, 1},
                 other ? readings[1] : said, std::make_shared<std::atomic_bool>(false),
                 [&](std::optional<std::vector<WordScore>> words) {
                   ++scored;
                   if (words && heard(*words) == int(words->size())) ++wholeReadings;
                 });
  }
  while (scored <= readings.size()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_GE(wholeReadings, VoiceReadings::kReadingsPerFit);
  EXPECT_EQ(VoiceReadings(voiceFolder).readings().size(), std::size_t(wholeReadings));
  EXPECT_TRUE(transformFitsModel(VoiceReadings(voiceFolder).transformPath(),
                                 ScorerSettings::defaultModelDirectory()));
  EXPECT_FALSE(VoiceReadings(voiceFolder).fitDue());
}
