// SPDX-License-Identifier: GPL-3.0-or-later
// The scoring command, run by the listening module built beside the tests, on readings
// synthesised at test time (flite, and sox for other formats).

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "listening/module_score_command.h"
#include "listening/score_command.h"
#include "listening/sentence_words.h"

using namespace listening;

namespace {

struct CommandResult {
  int status = -1;
  QString out;
  QString err;
};

CommandResult score(const QString& wav, const QString& sentence) {
  CommandResult result;
  QTextStream out(&result.out);
  QTextStream err(&result.err);
  result.status = runScoreCommandBesideProgram(wav, sentence, out, err);
  return result;
}

bool run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
         process.exitCode() == 0;
}

class ScoreCommandTest : public testing::Test {
 protected:
  // A reading of `text` by flite's rms voice (16 kHz mono), converted by sox when `soxFormat`
  // is given (e.g. {"-r", "44100", "-c", "2"}).
  QString reading(const QString& name, const QString& text, const QStringList& soxFormat = {}) {
    const QString said = folder_.filePath(name + QStringLiteral("-flite.wav"));
    EXPECT_TRUE(run(QStringLiteral("flite"), {"-voice", "rms", "-t", text, "-o", said}));
    if (soxFormat.isEmpty()) return said;
    const QString converted = folder_.filePath(name + QStringLiteral(".wav"));
    EXPECT_TRUE(run(QStringLiteral("sox"), QStringList{said} + soxFormat + QStringList{converted}));
    return converted;
  }

  QTemporaryDir folder_;
};

TEST(SentenceWordsTest, WordsAreWrittenWithoutThePunctuationAroundThem) {
  EXPECT_EQ(sentenceWords(QStringLiteral("  \"Tom, leave?\" - at seven o'clock... well-known!")),
            QStringList({"Tom", "leave", "at", "seven", "o'clock", "well-known"}));
  EXPECT_EQ(sentenceWords(QStringLiteral("-- ?! ")), QStringList());
}

// A correct reading (stereo at 44.1 kHz, with a name out of the recogniser's dictionary and a
// number), the same reading clipped (driven 6 dB over full scale, which the recogniser hears
// nothing of unless the reading is brought to its level first), the reading of another
// sentence, a reading with a word left out, and one scored against a sentence with a word put in
// that the first decode squeezes between two words said (the second look leaves it out).
TEST_F(ScoreCommandTest, ReadingsAreScoredWordByWord) {
  struct Case {
    const char* name;
    QString said;
    QStringList soxFormat;
    QString sentence;
    QString expected;
  };
  const Case cases[] = {
      {"correct",
       "Kaibo has 3 green apples.",
       {"-r", "44100", "-c", "2"},
       "Kaibo has 3 green apples.",
       "Kaibo\theard\nhas\theard\n3\theard\ngreen\theard\napples\theard\nscore 5/5\n"},
      {"clipped",
       "We usually have dinner at seven o'clock.",
       {"--norm=6"},
       "We usually have dinner at seven o'clock.",
       "We\theard\nusually\theard\nhave\theard\ndinner\theard\nat\theard\nseven\theard\n"
       "o'clock\theard\nscore 7/7\n"},
      {"other",
       "Kaibo has 3 green apples.",
       {},
       "My brother plays football every Saturday.",
       "My\tmissed\nbrother\tmissed\nplays\tmissed\nfootball\tmissed\nevery\tmissed\n"
       "Saturday\tmissed\nscore 0/6\n"},
      {"left-out",
       "We usually have at seven o'clock.",
       {},
       "We usually have dinner at seven o'clock.",
       "We\theard\nusually\theard\nhave\theard\ndinner\tmissed\nat\theard\nseven\theard\n"
       "o'clock\theard\nscore 6/7\n"},
      {"squeezed-in",
       "Would you lend me your dictionary?",
       {},
       "Would you lend cooking me your dictionary?",
       "Would\theard\nyou\theard\nlend\theard\ncooking\tmissed\nme\theard\nyour\theard\n"
       "dictionary\theard\nscore 6/7\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CommandResult result = score(reading(c.name, c.said, c.soxFormat), c.sentence);
    EXPECT_EQ(result.status, kScoreDone) << result.err.toStdString();
    EXPECT_EQ(result.out, c.expected);
  }
}

// Nothing is printed for a file that is not 16-bit PCM WAV; the message names the file.
TEST_F(ScoreCommandTest, AFileThatIsNotA16BitWavIsRefused) {
  const QString text = folder_.filePath(QStringLiteral("text.wav"));
  QFile file(text);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("RIFF, but not really\n");
  file.close();
  const QStringList badFiles{
      text,
      reading("float", QStringLiteral("Hello."), {"-e", "floating-point", "-b", "32"}),
      reading("eight-bit", QStringLiteral("Hello."), {"-b", "8"}),
      reading("four-channels", QStringLiteral("Hello."), {"-c", "4"}),
      folder_.path(),
      folder_.filePath(QStringLiteral("missing.wav")),
  };
  for (const QString& path : badFiles) {
    const CommandResult result = score(path, QStringLiteral("Hello."));
    EXPECT_EQ(result.status, kScoreBadFile) << path.toStdString();
    EXPECT_TRUE(result.out.isEmpty()) << path.toStdString();
    EXPECT_TRUE(result.err.contains(path)) << result.err.toStdString();
  }
}

}  // namespace
