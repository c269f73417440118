// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "../support/recording_presenter.h"
#include "character/agent_error.h"
#include "character/engine.h"
#include "character/speech.h"
#include "stage/cast.h"
#include "stage/cast_setup.h"

namespace {

using stage::Role;

class CastSetup : public ::testing::Test {
 protected:
  CastSetup() : engine(clock, presenter, speech) {}

  // Runs setUpCast on `folder` and returns the message it failed with, or "" when it did not.
  QString failureIn(const QString& folder) {
    try {
      stage::setUpCast(engine, cast, folder);
    } catch (const character::AgentError& error) {
      return error.message();
    }
    return {};
  }

  void writeFile(const QString& name, const QByteArray& bytes) {
    QFile file(QDir(folder.path()).filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  // The characters the engine was given, in order.
  QStringList loaded() const { return presenter.log.filter(QStringLiteral(" added")); }

  static QString builtCharacterFolder() { return QStringLiteral(BINARY_DIR "/bin"); }
  static bool builtCharactersExist() {
    for (const char* name : {"ku.dat", "nu.dat", "fi.dat"}) {
      if (!QFile::exists(builtCharacterFolder() + "/" + name)) return false;
    }
    return true;
  }

  character::VirtualClock clock;
  testing_support::RecordingPresenter presenter;
  character::TimedSpeech speech;
  character::Engine engine;
  stage::Cast cast;
  QTemporaryDir folder;
};

TEST_F(CastSetup, AllThreeControlsAreConnectedBeforeTheFirstLoadFails) {
  const QString message = failureIn(folder.path());

  EXPECT_TRUE(message.contains("ku.dat")) << qPrintable(message);
  ASSERT_TRUE(cast.control(Role::Boy) && cast.control(Role::Girl) && cast.control(Role::Host));
  EXPECT_TRUE(cast.control(Role::Boy)->Connected());
  EXPECT_TRUE(cast.control(Role::Girl)->Connected());
  EXPECT_TRUE(cast.control(Role::Host)->Connected());
  EXPECT_EQ(cast.character(Role::Boy), nullptr);
}

TEST_F(CastSetup, ACorruptFileIsNamedInTheError) {
  writeFile("ku.dat", QByteArray("this is not a character file"));

  const QString message = failureIn(folder.path());

  EXPECT_TRUE(message.contains("ku.dat")) << qPrintable(message);
  EXPECT_TRUE(presenter.log.isEmpty()) << qPrintable(presenter.log.join(", "));
}

TEST_F(CastSetup, LoadsBoyThenGirlThenVemoFromTheirFiles) {
  if (!builtCharactersExist()) GTEST_SKIP() << "build the target character_files first";
  for (const char* name : {"ku.dat", "nu.dat"}) {
    ASSERT_TRUE(QFile::copy(builtCharacterFolder() + "/" + name, folder.filePath(name)));
  }

  const QString message = failureIn(folder.path());

  EXPECT_TRUE(message.contains("fi.dat")) << qPrintable(message);
  EXPECT_EQ(loaded(), QStringList({"boy added", "girl added"}));
  ASSERT_NE(cast.character(Role::Girl), nullptr);
  EXPECT_EQ(cast.character(Role::Boy), &cast.control(Role::Boy)->characters().Character("boy"));
  EXPECT_EQ(cast.character(Role::Girl), &cast.control(Role::Girl)->characters().Character("girl"));
}

TEST_F(CastSetup, LoadsTheWholeCastFromTheProgramFolder) {
  if (!builtCharactersExist()) GTEST_SKIP() << "build the target character_files first";

  ASSERT_EQ(failureIn(builtCharacterFolder()), QString());

  EXPECT_EQ(loaded(), QStringList({"boy added", "girl added", "vemo added"}));
  EXPECT_EQ(cast.character(Role::Host), &cast.control(Role::Host)->characters().Character("vemo"));
  EXPECT_EQ(cast[Role::Boy].id(), "boy");
  EXPECT_EQ(cast[Role::Girl].id(), "girl");
}

}  // namespace
