// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include "speech/synthesized_speech.h"
#include "speech_test_support.h"

namespace character {
namespace {

using testing::builtCharacter;
using testing::rootMeanSquare;

const CharacterData& speaker(const QString& id) {
  return builtCharacter(id);
}

class SpeechServiceTest : public ::testing::Test {
 protected:
  SpeechServiceTest() { mixer->open(QIODevice::ReadOnly | QIODevice::Unbuffered); }

  // Prepares `text` and runs the event loop until it is ready.
  std::shared_ptr<PreparedSpeech> prepared(const QString& id, const QString& text,
                                           double pace = 1.0) {
    bool delivered = false;
    auto speech = service.prepare(
        speaker(id), text,
        [&] {
          EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
          delivered = true;
        },
        pace);
    QElapsedTimer waited;
    waited.start();
    while (!delivered && waited.elapsed() < 30000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    EXPECT_TRUE(delivered);
    EXPECT_TRUE(speech->ready());
    return speech;
  }

  Samples read(std::size_t count) {
    Samples out(count);
    mixer->read(reinterpret_cast<char*>(out.data()),
                static_cast<qint64>(count * sizeof(std::int16_t)));
    return out;
  }

  std::shared_ptr<Mixer> mixer = std::make_shared<Mixer>();
  SynthesizedSpeech service{mixer};
};

TEST_F(SpeechServiceTest, PreparedSpeechIsDeliveredOnTheUiThreadAndPlaysIntoTheMixer) {
  const auto speech = prepared("girl", QStringLiteral("How are you!"));
  const Utterance& utterance = speech->utterance();
  EXPECT_EQ(utterance.words.size(), 3u);
  service.play("girl", speech);
  EXPECT_TRUE(mixer->playing("girl"));
  EXPECT_GT(rootMeanSquare(read(msToSamples(utterance.durationMs + 1))), 500);
  EXPECT_FALSE(mixer->playing("girl"));
}

TEST_F(SpeechServiceTest, StopSilencesOnlyThatCharacter) {
  const auto boy = prepared("boy", QStringLiteral("Hello! Nice to meet you."));
  const auto vemo = prepared("vemo", QStringLiteral("My name's Kaibo"));
  service.play("boy", boy);
  service.play("vemo", vemo);
  read(100);
  service.stop("boy");
  EXPECT_FALSE(mixer->playing("boy"));
  EXPECT_TRUE(mixer->playing("vemo"));
}

TEST_F(SpeechServiceTest, SpeechOfAnotherServiceIsNotPlayed) {
  auto foreign = TimedSpeech().prepare(speaker("boy"), QStringLiteral("Hello"), nullptr);
  service.play("boy", foreign);
  EXPECT_FALSE(mixer->playing("boy"));
}

TEST_F(SpeechServiceTest, ManyPreparationsAtOnceAllArrive) {
  std::vector<std::shared_ptr<PreparedSpeech>> speeches;
  int delivered = 0;
  for (int i = 0; i < 6; ++i) {
    speeches.push_back(service.prepare(speaker(i % 2 ? "girl" : "vemo"),
                                       QStringLiteral("Line %1 学 习").arg(i),
                                       [&] { ++delivered; }));
  }
  QElapsedTimer waited;
  waited.start();
  while (delivered < 6 && waited.elapsed() < 60000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  EXPECT_EQ(delivered, 6);
  for (const auto& speech : speeches) EXPECT_EQ(speech->utterance().words.size(), 4u);
}

// Slow speech is slower in the synthesis itself, so the word times, which the balloon follows,
// stretch with the sound.
TEST_F(SpeechServiceTest, EnglishAtASlowerPaceLastsLongerAndItsWordsWithIt) {
  const QString text = QStringLiteral("I like green apples very much.");
  const Utterance normal = prepared("boy", text)->utterance();
  const Utterance slow = prepared("boy", text, 0.75)->utterance();
  const double longer = double(slow.durationMs) / normal.durationMs;
  EXPECT_GT(longer, 1.2);
  EXPECT_LT(longer, 1.45);
  EXPECT_NEAR(double(slow.words.back().startMs) / normal.words.back().startMs, longer, 0.1);
}

}  // namespace
}  // namespace character
