// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include "app/commands.h"
#include "program_on_stage.h"
#include "stage/opening_scene.h"

namespace {

using app::commands::Command;
using app_testing::ProgramOnStage;

QString writeLesson(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
  QFile file(dir.filePath(name));
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return QString();
  return file.fileName();
}

// Plays the characters on, running the event loop between, until nothing is queued.
void playToTheEnd(stage_testing::CastStage& stage) {
  for (int step = 0; step < 300; ++step) {
    stage.engine.runUntil(stage.clock, stage.clock.nowMs() + 200);
    QCoreApplication::processEvents();
    if (stage.queuedActions() == 0) return;
  }
}

bool said(const ProgramOnStage& on, const char* sentence) {
  return on.stage.log.contains(QStringLiteral("girl Speak \"%1\"").arg(sentence));
}

// The lesson of the command line opens once the greeting has played out; "停" during the
// greeting drops it instead of starting it at once.
TEST(LessonOnTheCommandLine, OpensAfterTheGreetingUnlessStopDropsIt) {
  QTemporaryDir dir;
  const QString lesson = writeLesson(dir, "apple.txt", "Apple~苹果\r\n");
  for (const bool stopped : {false, true}) {
    SCOPED_TRACE(stopped ? "停 during the greeting" : "played out");
    ProgramOnStage on;
    stage::queueOpeningScene(on.program.cast());
    on.program.openLessonAfterOpeningScene(lesson);
    if (stopped) on.program.run(Command::Stop);
    playToTheEnd(on.stage);
    EXPECT_EQ(said(on, "Apple"), !stopped);
  }
}

// A later start hands a lesson over while the learner is in the "文" dialog: it waits for the
// dialog, whose choice wins; a cancelled dialog opens the lesson handed over. Exactly one lesson
// is read, without a message.
TEST(LessonHandedOver, WhileTheOpenDialogIsUpWaitsForTheDialog) {
  QTemporaryDir dir;
  const QString chosen = writeLesson(dir, "chosen.txt", "Apple~苹果\r\n");
  const QString handedOver = writeLesson(dir, "handed.txt", "Banana~香蕉\r\n");
  for (const bool cancelled : {false, true}) {
    SCOPED_TRACE(cancelled ? "dialog cancelled" : "file chosen");
    ProgramOnStage on;
    QStringList messages;
    bool handed = false;
    QTimer learner;
    learner.setInterval(20);
    QObject::connect(&learner, &QTimer::timeout, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        messages << box->text();
        box->reject();
      }
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      if (!dialog || std::exchange(handed, true)) return;
      on.program.openLessonFile(handedOver);
      if (cancelled) return dialog->reject();
      dialog->selectFile(chosen);
      static_cast<QDialog*>(dialog)->accept();  // public there
    });
    learner.start();
    on.program.run(Command::OpenLesson);
    learner.stop();
    EXPECT_TRUE(handed);
    EXPECT_TRUE(messages.isEmpty()) << qPrintable(messages.join('\n'));
    EXPECT_EQ(said(on, "Apple"), !cancelled);
    EXPECT_EQ(said(on, "Banana"), cancelled);
  }
}

}  // namespace

namespace {

// Sends a drag of `data` onto `widget` and, when it is accepted, drops it there.
bool dragAndDrop(QWidget& widget, QMimeData& data) {
  const QPoint inside = widget.rect().center();
  QDragEnterEvent enter(inside, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&widget, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(inside), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&widget, &drop);
  QCoreApplication::processEvents();
  return drop.isAccepted();
}

// A file dropped on the bar opens as "文" would open it; a drag of text carries no file and is
// refused.
TEST(LessonDropped, OnTheBarOpensAsTheOpenCommandWould) {
  QTemporaryDir dir;
  const QString lesson =
      writeLesson(dir, "film.srt", "1\n00:00:01,000 --> 00:00:02,000\nHello there.\n你好。\n");
  ProgramOnStage on;
  QMimeData text;
  text.setText(lesson);
  EXPECT_FALSE(dragAndDrop(on.program.toolbar(), text));

  QMimeData file;
  file.setUrls({QUrl::fromLocalFile(lesson)});
  EXPECT_TRUE(dragAndDrop(on.program.toolbar(), file));
  EXPECT_TRUE(on.stage.log.contains("girl Stop")) << "as 文: the girl stops first";
  playToTheEnd(on.stage);
  EXPECT_TRUE(said(on, "Hello there."));
  EXPECT_TRUE(on.stage.log.contains(QStringLiteral("vemo Think \" 你 好 。\"")))
      << "its translation";
}

}  // namespace
