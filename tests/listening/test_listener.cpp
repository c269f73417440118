// SPDX-License-Identifier: GPL-3.0-or-later
// The program's listener through the listening module built beside the tests: the real
// recorder on a PulseAudio server of the test's own, whose default source is the monitor of a
// null sink that readings are played into.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <optional>

#include "listening/program_listener.h"
#include "listening/scoring_worker.h"

using namespace listening;

namespace {

const QString kProgramFolder = QStringLiteral(BINARY_DIR "/bin");

// Everything a reading reported, and when (milliseconds since it began).
struct Reports {
  std::vector<double> levels;
  std::optional<qint64> recordingEndedMs;
  std::optional<std::vector<WordScore>> words;
  std::optional<ReadingProblem> problem;
  QElapsedTimer clock;

  bool finished() const { return words || problem; }

  ReadingCallbacks callbacks() {
    clock.start();
    return {[this](double level) { levels.push_back(level); },
            [this] { recordingEndedMs = clock.elapsed(); },
            [this](const std::vector<WordScore>& scored) { words = scored; },
            [this](ReadingProblem failed) { problem = failed; },
            {}};
  }
};

bool runEventsUntil(const std::function<bool()>& done, int timeoutMs) {
  QElapsedTimer waited;
  waited.start();
  while (!done() && waited.elapsed() < timeoutMs) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
  return done();
}

bool run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
         process.exitCode() == 0;
}

qint64 lengthMs(const QString& wav) {
  QProcess soxi;
  soxi.start(QStringLiteral("soxi"), {"-D", wav});
  soxi.waitForFinished();
  return qint64(soxi.readAllStandardOutput().trimmed().toDouble() * 1000);
}

QString heardWords(const std::vector<WordScore>& words) {
  QStringList heard;
  for (const WordScore& word : words) heard << (word.heard ? word.word : "(" + word.word + ")");
  return heard.join(' ');
}

// A PulseAudio server in a folder of the test's own, with one null sink, "learner", and the
// default source "microphone" made from its monitor (the sound input lists no monitors): what is
// played into the sink is what the microphone hears. PULSE_SERVER is set for this process (each
// test runs in a process of its own) and for the programs it starts. The server is stopped by
// its PID.
class OwnSoundServer : public testing::Test {
 protected:
  void SetUp() override {
    const QString socket = folder_.filePath(QStringLiteral("native"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PULSE_RUNTIME_PATH"), folder_.path());
    environment.insert(QStringLiteral("PULSE_STATE_PATH"), folder_.path());
    server_.setProcessEnvironment(environment);
    server_.start(QStringLiteral("pulseaudio"),
                  {"-n", "--daemonize=no", "--exit-idle-time=-1", "--disallow-exit",
                   "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket,
                   "--load=module-null-sink sink_name=learner",
                   "--load=module-remap-source source_name=microphone master=learner.monitor "
                   "channels=1 channel_map=mono"});
    ASSERT_TRUE(server_.waitForStarted()) << "pulseaudio is needed: run tools/setup.sh";
    qputenv("PULSE_SERVER", ("unix:" + socket).toUtf8());
    ASSERT_TRUE(runEventsUntil([] { return run("pactl", {"info"}); }, 10000));
    ASSERT_TRUE(run("pactl", {"set-default-source", "microphone"}));
  }

  void TearDown() override {
    server_.terminate();
    if (!server_.waitForFinished(5000)) server_.kill();
    server_.waitForFinished();
  }

  // A reading of `text` by flite's rms voice, a second of silence before it.
  QString reading(const QString& text) {
    const QString said = folder_.filePath(QStringLiteral("said.wav"));
    const QString padded = folder_.filePath(QStringLiteral("reading.wav"));
    EXPECT_TRUE(run("flite", {"-voice", "rms", "-t", text, "-o", said}));
    EXPECT_TRUE(run("sox", {said, padded, "pad", "1", "0"}));
    return padded;
  }

  // Plays `wav` into the sink once the reading reported its first level, that is once the
  // recording runs, as a learner starts when the meter moves.
  void playWhenRecording(const Reports& reports, const QString& wav) {
    ASSERT_TRUE(runEventsUntil([&] { return !reports.levels.empty(); }, 10000));
    player_.start("paplay", {"--device=learner", wav});
  }

  QTemporaryDir folder_;
  QProcess server_;
  QProcess player_;
};

// The recording ends by itself a second after the reading, well before the time limit; the
// level meter moves; the words the reading left out are the ones marked missed.
TEST_F(OwnSoundServer, AReadingIsRecordedUntilTheLearnerStopsAndScored) {
  const QString wav = reading(QStringLiteral("We usually have at seven o'clock."));
  const auto listener = createProgramListener(kProgramFolder);
  Reports reports;
  const auto reading = listener->listen(QStringLiteral("We usually have dinner at seven o'clock."),
                                        reports.callbacks());
  playWhenRecording(reports, wav);
  ASSERT_TRUE(runEventsUntil([&] { return reports.finished(); }, 30000));
  ASSERT_FALSE(reports.problem) << int(*reports.problem);
  ASSERT_TRUE(reports.recordingEndedMs);
  EXPECT_GT(*reports.recordingEndedMs, lengthMs(wav)) << "the reading was cut short";
  EXPECT_LT(*reports.recordingEndedMs, 8000) << "the recording ran to its time limit";
  EXPECT_GT(reports.levels.size(), 20u);
  EXPECT_GT(*std::max_element(reports.levels.begin(), reports.levels.end()), 0.4);
  EXPECT_EQ(heardWords(*reports.words), "We usually have (dinner) at seven o'clock");
}

// Silence from the microphone is no reading: after the time limit, NothingHeard.
TEST_F(OwnSoundServer, SilenceIsNothingHeard) {
  const QString silence = folder_.filePath(QStringLiteral("silence.wav"));
  ASSERT_TRUE(run("sox", {"-n", "-r", "16000", "-c", "1", "-b", "16", silence, "trim", "0", "3"}));
  const auto listener = createProgramListener(kProgramFolder);
  Reports reports;
  const auto reading = listener->listen(QStringLiteral("Hello."), reports.callbacks());
  playWhenRecording(reports, silence);
  ASSERT_TRUE(runEventsUntil([&] { return reports.finished(); }, 30000));
  EXPECT_EQ(reports.problem, ReadingProblem::NothingHeard);
  EXPECT_FALSE(reports.recordingEndedMs);
  EXPECT_FALSE(reports.levels.empty());
}

// A reading given up while it is scored (the learner pressed stop) reports nothing more.
TEST_F(OwnSoundServer, AReadingGivenUpWhileScoredReportsNothingMore) {
  const QString wav = reading(QStringLiteral("Good morning, everyone."));
  const auto listener = createProgramListener(kProgramFolder);
  Reports reports;
  auto reading = listener->listen(QStringLiteral("Good morning, everyone."), reports.callbacks());
  playWhenRecording(reports, wav);
  ASSERT_TRUE(
      runEventsUntil([&] { return reports.recordingEndedMs || reports.finished(); }, 30000));
  ASSERT_FALSE(reports.finished()) << "scored before the reading could be given up";
  reading.reset();
  runEventsUntil([] { return false; }, 3000);
  EXPECT_FALSE(reports.finished());
}

// Without a sound server there is no microphone; without the module nothing can be scored.
TEST(ListenerWithoutItsParts, ReportsWhatIsMissing) {
  QTemporaryDir folder;
  qputenv("PULSE_SERVER", ("unix:" + folder.filePath(QStringLiteral("no-server"))).toUtf8());
  for (const auto& [programFolder, expected] :
       {std::pair{kProgramFolder, ReadingProblem::NoMicrophone},
        std::pair{folder.path(), ReadingProblem::ScoringFailed}}) {
    SCOPED_TRACE(programFolder.toStdString());
    const auto listener = createProgramListener(programFolder);
    Reports reports;
    const auto reading = listener->listen(QStringLiteral("Hello."), reports.callbacks());
    ASSERT_TRUE(runEventsUntil([&] { return reports.finished(); }, 10000));
    EXPECT_EQ(reports.problem, expected);
  }
}

// The recogniser loads while the learner reads and is let go once no reading came for a while.
TEST(ScoringWorkerTest, TheRecogniserIsMadeWhenAReadingBeginsAndLetGoWhenIdle) {
  ScoringWorker worker(std::chrono::milliseconds(1000));
  worker.prepare();
  EXPECT_TRUE(worker.scorerMade());
  runEventsUntil([] { return false; }, 100);
  EXPECT_TRUE(worker.scorerMade()) << "kept between readings";
  EXPECT_TRUE(runEventsUntil([&] { return !worker.scorerMade(); }, 5000)) << "let go when idle";
}

}  // namespace
