// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

#include "lesson/lesson_check.h"
#include "lesson/lesson_export.h"
#include "listening/module_score_command.h"
#include "progress/progress_commands.h"
#include "progress/progress_keeper.h"

namespace app {
namespace {

// What the command line asks for.
struct CommandLine {
  enum class Action {
    StartProgram,
    ShowHelp,
    ShowVersion,
    CheckLessons,
    ScoreReading,
    ShowProgress,
    ExportProgress,
    ExportLesson,
    UsageError
  };
  Action action = Action::StartProgram;
  QStringList lessons;  // CheckLessons: the files to check; StartProgram: the lesson to open;
                        // ScoreReading: the WAV and the sentence; ExportProgress: the CSV;
                        // ExportLesson: the lesson and the export
  QString error;        // UsageError: what is wrong
};

constexpr char kHelpText[] =
    "Usage: chengmu [QT-OPTION]... [LESSON]\n"
    "  or:  chengmu --check LESSON...\n"
    "  or:  chengmu --score WAV \"SENTENCE\"\n"
    "  or:  chengmu --progress\n"
    "  or:  chengmu --export-progress FILE.csv\n"
    "  or:  chengmu --export-lesson LESSON OUT.tsv\n"
    "Practise spoken English on the desktop: two pupils speak the English sentences of a\n"
    "lesson in turn and their host shows each Chinese translation in a thought balloon.\n"
    "Without options the program starts on the X11 desktop and docks its toolbar at the top\n"
    "edge of the screen; it reads its help texts from the current directory. Given a\n"
    "LESSON file, it opens that lesson once the characters have greeted the learner.\n"
    "While the program runs, starting it again only brings its toolbar into view and\n"
    "hands it the LESSON given, which it then opens at once.\n"
    "\n"
    "Options:\n"
    "  -h, --help       show this help and exit\n"
    "  -v, --version    show the version and exit\n"
    "      --check      read each LESSON file as the program would and report, one\n"
    "                   finding a line, as FILE:LINE: error|warning: reason: where the\n"
    "                   reading stops, lines with an empty English part or an empty\n"
    "                   translation, and lines holding bytes that do not decode; then a\n"
    "                   summary FILE: note: ENCODING; lines staged: N; read to the end\n"
    "      --score      score a spoken reading of SENTENCE, a 16-bit PCM WAV file, word by\n"
    "                   word (with the recogniser fitted to the learner's voice, once the\n"
    "                   learner's readings have fitted it): one line WORD<TAB>heard|missed\n"
    "                   a word, then score N/M\n"
    "      --progress   print the learner's progress, one KEY VALUE a line: readings,\n"
    "                   sentences, due (now), due-today (before midnight), streak (days)\n"
    "      --export-progress\n"
    "                   write every reading kept to FILE.csv (UTF-8, with a header line)\n"
    "      --export-lesson  write the sentences LESSON stages as a flashcard text export\n"
    "                   (tab-separated, UTF-8, with its header lines): English, Chinese\n"
    "                   and the words missed most in each sentence\n"
    "\n"
    "Qt's own options (--style, --platform, --display, ...) are passed on to Qt.\n"
    "\n"
    "Lesson files:\n"
    "  One sentence a line, [tag]English sentence~Chinese translation, in code page 936\n"
    "  (GBK), UTF-8 or UTF-16. A line without \"~\" ends the reading of the lesson.\n"
    "  Also read: lyrics with translations (.lrc, [mm:ss.xx]English|Chinese), SubRip\n"
    "  (.srt) and WebVTT (.vtt) subtitles, and flashcard text exports (.tsv, .csv, .txt\n"
    "  with #separator: header lines).\n"
    "\n"
    "Exit status:\n"
    "  0  done; with --check, every lesson would be read to its end\n"
    "  1  with --check, a lesson cannot be read or its reading stops early; with\n"
    "     --export-lesson, a lesson that is refused or an export that cannot be\n"
    "     written; without options, the program cannot start\n"
    "  2  a usage error; with --score, a sound file that cannot be read;\n"
    "     with --progress or --export-progress, progress that cannot be read or written\n"
    "\n"
    "The learner's progress is kept in $XDG_DATA_HOME/chengmu/progress.db\n"
    "(~/.local/share/chengmu/progress.db).\n";

constexpr char kVersionText[] =
    "chengmu " CHENGMU_VERSION
    "\n"
    "Copyright (C) 2026 the chengmu developers.\n"
    "License GPL-3.0-or-later <https://gnu.org/licenses/gpl.html>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

// Options Qt takes for itself when the desktop program starts, with one dash or two.
const QStringList kQtOptionsWithValue = {
    "style",         "stylesheet", "platform",        "platformpluginpath",
    "platformtheme", "plugin",     "qwindowgeometry", "qwindowicon",
    "qwindowtitle",  "session",    "display",         "geometry",
    "title",         "name",       "qmljsdebugger",   "dialogs",
    "fontengine"};
const QStringList kQtFlags = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

void addQtOptions(QCommandLineParser& parser) {
  for (const QString& name : kQtOptionsWithValue) {
    QCommandLineOption option(name, QString(), QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
  for (const QString& name : kQtFlags) {
    QCommandLineOption option(name);
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
}

CommandLine usageError(const QString& error) {
  return {CommandLine::Action::UsageError, {}, error};
}

int checkLessons(const QStringList& lessons) {
  int status = 0;
  for (const QString& path : lessons) {
    const lesson::LessonCheck check = lesson::checkLesson(path);
    std::fputs(qUtf8Printable(lesson::formatLessonCheck(path, check)), stdout);
    if (!check.stagedWhole()) status = 1;
  }
  return status;
}

int exportLesson(const QString& lessonPath, const QString& outPath) {
  try {
    const lesson::LessonCheck check = lesson::exportLesson(
        lessonPath, outPath, progress::wordsMissedMostIn(progress::progressFile()));
    if (!check.stagedWhole()) {
      std::fputs(qUtf8Printable(lesson::formatLessonCheck(lessonPath, check)), stderr);
    }
    return 0;
  } catch (const platform::FileError& error) {
    QTextStream(stderr) << "chengmu: " << error.message() << '\n';
    return 1;
  }
}

int scoreReading(const QString& wavPath, const QString& sentence) {
  QTextStream out(stdout);
  QTextStream err(stderr);
  return listening::runScoreCommandBesideProgram(wavPath, sentence, out, err);
}

int printProgress() {
  QTextStream out(stdout);
  QTextStream err(stderr);
  return progress::printSummary(progress::progressFile(), out, err);
}

int exportProgress(const QString& csvPath) {
  QTextStream err(stderr);
  return progress::exportProgressFile(progress::progressFile(), csvPath, err);
}

// Reads the arguments after the program name. Qt's own options and arguments that are no
// option are left for the desktop program.
CommandLine parseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{"h", "help"});
  const QCommandLineOption version(QStringList{"v", "version"});
  const QCommandLineOption check("check");
  const QCommandLineOption score("score");
  const QCommandLineOption progress("progress");
  const QCommandLineOption exportProgress("export-progress");
  const QCommandLineOption exportLesson("export-lesson");
  parser.addOptions({help, version, check, score, progress, exportProgress, exportLesson});
  addQtOptions(parser);
  if (!parser.parse(QStringList{QStringLiteral("chengmu")} + arguments)) {
    return usageError(parser.errorText());
  }
  if (parser.isSet(help)) return {CommandLine::Action::ShowHelp, {}, {}};
  if (parser.isSet(version)) return {CommandLine::Action::ShowVersion, {}, {}};
  if (parser.isSet(score)) {
    if (parser.positionalArguments().size() != 2) {
      return usageError(QStringLiteral("--score needs a WAV file and a sentence."));
    }
    return {CommandLine::Action::ScoreReading, parser.positionalArguments(), {}};
  }
  if (parser.isSet(progress)) {
    if (!parser.positionalArguments().isEmpty()) {
      return usageError(QStringLiteral("--progress takes no arguments."));
    }
    return {CommandLine::Action::ShowProgress, {}, {}};
  }
  if (parser.isSet(exportProgress)) {
    if (parser.positionalArguments().size() != 1) {
      return usageError(QStringLiteral("--export-progress needs one file to write."));
    }
    return {CommandLine::Action::ExportProgress, parser.positionalArguments(), {}};
  }
  if (parser.isSet(exportLesson)) {
    if (parser.positionalArguments().size() != 2) {
      return usageError(QStringLiteral("--export-lesson needs a lesson and the file to write."));
    }
    return {CommandLine::Action::ExportLesson, parser.positionalArguments(), {}};
  }
  if (!parser.isSet(check)) {
    if (parser.positionalArguments().size() > 1) {
      return usageError(QStringLiteral("only one lesson can be opened at start."));
    }
    return {CommandLine::Action::StartProgram, parser.positionalArguments(), {}};
  }
  if (parser.positionalArguments().isEmpty()) {
    return usageError(QStringLiteral("--check needs at least one lesson file."));
  }
  return {CommandLine::Action::CheckLessons, parser.positionalArguments(), {}};
}

// The lesson is named relative to where this start runs; the running program may run elsewhere.
ProgramStart programStart(const QStringList& lessons) {
  return {lessons.isEmpty() ? QString() : QFileInfo(lessons.first()).absoluteFilePath()};
}

}  // namespace

std::variant<int, ProgramStart> runCommandLine(int argc, char** argv) {
  QStringList arguments;
  for (int index = 1; index < argc; ++index) arguments.append(QString::fromLocal8Bit(argv[index]));
  const CommandLine commandLine = parseCommandLine(arguments);
  switch (commandLine.action) {
    case CommandLine::Action::StartProgram:
      return programStart(commandLine.lessons);
    case CommandLine::Action::ShowHelp:
      std::fputs(kHelpText, stdout);
      return 0;
    case CommandLine::Action::ShowVersion:
      std::fputs(kVersionText, stdout);
      return 0;
    case CommandLine::Action::CheckLessons:
      return checkLessons(commandLine.lessons);
    case CommandLine::Action::ScoreReading:
      return scoreReading(commandLine.lessons[0], commandLine.lessons[1]);
    case CommandLine::Action::ShowProgress:
      return printProgress();
    case CommandLine::Action::ExportProgress:
      return exportProgress(commandLine.lessons[0]);
    case CommandLine::Action::ExportLesson:
      return exportLesson(commandLine.lessons[0], commandLine.lessons[1]);
    case CommandLine::Action::UsageError:
      break;
  }
  QTextStream(stderr) << "chengmu: " << commandLine.error
                      << "\nTry 'chengmu --help' for more information.\n";
  return 2;
}

}  // namespace app
