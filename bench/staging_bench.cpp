// SPDX-License-Identifier: GPL-3.0-or-later
// Staging a long lesson through the real event loop: the "文" command after its dialog on a
// lesson of many lines (5,000,000 unless a number is given), on the real sentence window and a
// cast of test characters whose clock stands still, so every queued action stays queued. A
// zero-interval heartbeat timer beats whenever the event loop gets a turn from the end of the
// command on; the longest stretch between two beats is the longest the program would leave a
// click or a repaint waiting; beside it, the processor time of that stretch, which a busy
// machine does not inflate. The command itself (opening the file, and the first slice when the
// file is small enough to be read at once; a bigger one is read on a worker thread meanwhile)
// is timed on its own.
// Prints that stretch, the total time, the queued actions and the peak resident memory beside
// the budget (the file's size plus 200 bytes per queued action).
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "lesson/lesson_session.h"
#include "lesson/sentence_window.h"
#include "platform/numbered_files.h"
#include "practice/lesson_reading.h"
#include "support/headless_cast.h"

namespace {

// A lesson of `lines` everyday sentence lines in code page 936 with CR LF; returns its size.
qint64 writeLesson(const QString& path, int lines) {
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  const QByteArray line =
      "[00:01.00]How are you today?~\xC4\xE3\xBD\xF1\xCC\xEC\xBA\xC3\xC2\xF0\xA3\xBF\r\n";
  constexpr int kLinesPerWrite = 10'000;
  const QByteArray block = line.repeated(kLinesPerWrite);
  for (int written = 0; written < lines; written += kLinesPerWrite) {
    file.write(written + kLinesPerWrite <= lines ? block : line.repeated(lines - written));
  }
  return file.size();
}

// A field of /proc/self/status in bytes ("VmRSS", "VmHWM").
double statusBytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(field + ":", 0) == 0) return std::stod(line.substr(field.size() + 1)) * 1024;
  }
  return 0;
}

double megabytes(double bytes) {
  return bytes / (1024 * 1024);
}

// The thread's own processor time: unlike the wall clock, it does not run on while other
// programs of a busy machine have the processor.
qint64 threadCpuNs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// The longest time between two turns of the event loop, on the wall clock and in processor
// time, and the number of turns.
struct Heartbeat {
  QElapsedTimer sinceLastBeat;
  qint64 lastCpuNs = 0;
  qint64 longestNs = 0;
  qint64 longestCpuNs = 0;
  long beats = 0;

  void beat() {
    const qint64 cpuNs = threadCpuNs();
    if (beats++ > 0) {
      longestNs = std::max(longestNs, sinceLastBeat.nsecsElapsed());
      longestCpuNs = std::max(longestCpuNs, cpuNs - lastCpuNs);
    }
    sinceLastBeat.start();
    lastCpuNs = cpuNs;
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const int lines = argc > 1 ? std::stoi(argv[1]) : 5'000'000;

  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("lesson.txt"));
  const qint64 fileBytes = writeLesson(path, lines);

  testing_support::HeadlessCast stage;
  platform::NumberedFiles files;
  lesson::LessonSession session(files);
  lesson::SentenceWindow window;
  int failures = 0;
  const practice::LessonReading reading{session, window, stage.cast,
                                        [&failures](const QString& message) {
                                          ++failures;
                                          std::fprintf(stderr, "%s\n", qPrintable(message));
                                        }};
  const std::size_t actionsBefore = stage.queuedActions();
  const double residentBefore = statusBytes("VmRSS");

  Heartbeat heartbeat;
  QTimer beat;
  QElapsedTimer total;
  QObject::connect(&beat, &QTimer::timeout, [&] {
    heartbeat.beat();
    if (!session.staging()) QCoreApplication::quit();
  });
  qint64 commandNs = 0;
  qint64 commandCpuNs = 0;
  QTimer::singleShot(0, [&] {
    total.start();
    const qint64 cpuBefore = threadCpuNs();
    practice::openLesson(reading, [&path] { return path; });
    commandNs = total.nsecsElapsed();
    commandCpuNs = threadCpuNs() - cpuBefore;
    beat.start(0);
  });
  application.exec();
  const qint64 totalNs = total.nsecsElapsed();

  const double actions = double(stage.queuedActions() - actionsBefore);
  const double peakGrowth = statusBytes("VmHWM") - residentBefore;
  const double budget = double(fileBytes) + 200 * actions;
  std::printf("lines staged              %d of %d (%s)\n", session.LineCounter(), lines,
              session.ended() ? "to the end" : "not to the end");
  std::printf("lesson file               %.1f MB\n", megabytes(double(fileBytes)));
  std::printf("total time                %.2f s (%.2f us a line)\n", double(totalNs) / 1e9,
              double(totalNs) / 1e3 / lines);
  std::printf(
      "the \"文\" command          %.1f ms, %.1f ms of it processor time (opening the "
      "file; reading it on a worker thread goes on after it)\n",
      double(commandNs) / 1e6, double(commandCpuNs) / 1e6);
  std::printf(
      "longest stretch after it  %.1f ms without the event loop (%ld turns), %.1f ms of "
      "it processor time\n",
      double(heartbeat.longestNs) / 1e6, heartbeat.beats, double(heartbeat.longestCpuNs) / 1e6);
  std::printf("queued actions            %.0f (%.1f a line)\n", actions, actions / lines);
  std::printf("resident before / peak    %.0f MB / %.0f MB\n", megabytes(residentBefore),
              megabytes(statusBytes("VmHWM")));
  std::printf("peak growth               %.0f MB = %.0f bytes a queued action beyond the file\n",
              megabytes(peakGrowth), (peakGrowth - double(fileBytes)) / actions);
  std::printf("budget                    %.0f MB (file + 200 bytes a queued action): %s\n",
              megabytes(budget), peakGrowth <= budget ? "within" : "OVER");
  return failures == 0 && session.ended() ? 0 : 1;
}
