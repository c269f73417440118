// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "desktop/lazy_speech.h"
#include "speech/speech_module.h"
#include "support/test_character.h"

namespace character {
namespace {

const QString kBuiltModule = QStringLiteral(BINARY_DIR "/bin/") + QLatin1String(kSpeechModuleFile);

// Speech asked for before the module is loaded is handed over once the service exists, and
// becomes ready like any other: with the module built beside the program, and, silently at the
// pace of reading aloud, when the module is missing.
void expectSpeechPreparedWhileLoadingIsDelivered(const QString& modulePath, bool silent) {
  LazySpeech speech(modulePath);
  CharacterData speaker = testing_support::makeTestCharacter("boy");
  speaker.voice.engine = QStringLiteral("flite");
  speaker.voice.voice = QStringLiteral("slt");
  bool delivered = false;
  const auto early =
      speech.prepare(speaker, QStringLiteral("How are you"), [&] { delivered = true; });
  EXPECT_FALSE(early->ready()) << "nothing is said before the event loop runs";
  QElapsedTimer waited;
  waited.start();
  while (!delivered && waited.elapsed() < 30000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  ASSERT_TRUE(delivered);
  ASSERT_TRUE(early->ready());
  EXPECT_EQ(early->utterance().words.size(), 3u);
  EXPECT_GT(early->utterance().durationMs, 300);
  EXPECT_EQ(dynamic_cast<TimedSpeech*>(&speech.service()) != nullptr, silent);
  speech.play(QStringLiteral("boy"), early);
  speech.stop(QStringLiteral("boy"));
}

TEST(LazySpeechTest, SpeechPreparedWhileTheModuleLoadsIsDelivered) {
  expectSpeechPreparedWhileLoadingIsDelivered(kBuiltModule, false);
}

TEST(LazySpeechTest, WithoutTheModuleTheCharactersSpeakSilently) {
  expectSpeechPreparedWhileLoadingIsDelivered(QStringLiteral(BINARY_DIR "/bin/missing.so"), true);
}

}  // namespace
}  // namespace character
