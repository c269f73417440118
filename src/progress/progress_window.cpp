// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress_window.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/memory_at_rest.h"
#include "platform/taskbar_hint.h"
#include "progress_export.h"
#include "progress_log.h"
#include "sqlite_statement.h"

namespace progress {
namespace {

Seconds nowInSeconds() {
  return std::chrono::floor<std::chrono::seconds>(Clock::now());
}

QTableWidget* makeTable(const QStringList& headers, QWidget* parent) {
  auto* table = new QTableWidget(0, int(headers.size()), parent);
  table->setHorizontalHeaderLabels(headers);
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionMode(QAbstractItemView::NoSelection);
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table->horizontalHeader()->setStretchLastSection(true);
  return table;
}

void setRow(QTableWidget& table, int row, const QStringList& cells) {
  for (int column = 0; column < cells.size(); ++column) {
    table.setItem(row, column, new QTableWidgetItem(cells[column]));
  }
}

QString percent(double share) {
  return QStringLiteral("%1%").arg(qRound(share * 100));
}

}  // namespace

ProgressWindow::ProgressWindow(ProgressKeeper& keeper) : keeper_(keeper) {
  setObjectName(QStringLiteral("xxjl"));
  setWindowTitle(QStringLiteral("学习记录"));
  setWindowFlags(Qt::Window);
  createControls();
  resize(640, 720);
  platform::keepOutOfTaskbar(*this);
}

void ProgressWindow::createControls() {
  auto* layout = new QVBoxLayout(this);
  headline_ = new QLabel(this);
  headline_->setObjectName(QStringLiteral("headline"));
  layout->addWidget(headline_);
  layout->addWidget(new QLabel(
      QStringLiteral("最近%1天：每天朗读的次数（柱），听到的词的比例（线）").arg(kChartDays),
      this));
  chart_ = new ProgressChart(this);
  layout->addWidget(chart_, 2);
  lessons_ = makeTable({QStringLiteral("课文"), QStringLiteral("练过的句子"),
                        QStringLiteral("平均得分"), QStringLiteral("待复习")},
                       this);
  lessons_->setObjectName(QStringLiteral("lessons"));
  layout->addWidget(lessons_, 1);
  layout->addWidget(new QLabel(QStringLiteral("最常漏说的%1个词").arg(kMissedWordsShown), this));
  missedWords_ = makeTable(
      {QStringLiteral("词"), QStringLiteral("次数"), QStringLiteral("最近漏说的句子")}, this);
  missedWords_->setObjectName(QStringLiteral("missedWords"));
  layout->addWidget(missedWords_, 2);
  auto* buttons = new QHBoxLayout;
  auto* exportButton = new QPushButton(QStringLiteral("导出…"), this);
  exportButton->setObjectName(QStringLiteral("export"));
  auto* closeButton = new QPushButton(QStringLiteral("关闭"), this);
  buttons->addStretch();
  buttons->addWidget(exportButton);
  buttons->addWidget(closeButton);
  layout->addLayout(buttons);
  connect(exportButton, &QPushButton::clicked, this, &ProgressWindow::exportReadings);
  connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
}

void ProgressWindow::showUpToDate() {
  refresh();
  show();
  raise();
  activateWindow();
}

void ProgressWindow::refresh() {
  try {
    Store* store = keeper_.store();
    if (!store) {
      headline_->setText(QStringLiteral("学习记录现在无法保存。"));
      return;
    }
    const Summary summary = summarizeNow(*store);
    headline_->setText(QStringLiteral("连续学习 %1 天 · 朗读 %2 次 · 练过 %3 个句子 · 待复习 %4 个")
                           .arg(summary.streak)
                           .arg(summary.readings)
                           .arg(summary.sentences)
                           .arg(summary.dueNow));
    chart_->setDays(lastDays(*store, QDate::currentDate(), kChartDays));
    fillLessons(lessonFigures(*store, nowInSeconds()));
    fillMissedWords(mostMissedWords(*store, kMissedWordsShown));
  } catch (const DatabaseError& error) {
    qCWarning(lcProgress).noquote() << error.what();
    headline_->setText(QStringLiteral("学习记录读不出来。"));
  }
}

void ProgressWindow::fillLessons(const std::vector<LessonFigures>& lessons) {
  lessons_->setRowCount(int(lessons.size()));
  for (int row = 0; row < int(lessons.size()); ++row) {
    const LessonFigures& lesson = lessons[row];
    const QString practised =
        lesson.sentences > 0 ? QStringLiteral("%1 / %2").arg(lesson.practised).arg(lesson.sentences)
                             : QString::number(lesson.practised);
    setRow(*lessons_, row,
           {lesson.title, practised, percent(lesson.meanScore), QString::number(lesson.due)});
    lessons_->item(row, 0)->setToolTip(lesson.path);
  }
}

void ProgressWindow::fillMissedWords(const std::vector<MissedWord>& words) {
  missedWords_->setRowCount(int(words.size()));
  for (int row = 0; row < int(words.size()); ++row) {
    setRow(*missedWords_, row,
           {words[row].word, QString::number(words[row].times), words[row].lastSentence});
  }
}

void ProgressWindow::exportReadings() {
  const QString path = QFileDialog::getSaveFileName(
      this, QStringLiteral("导出学习记录"), QDir::home().filePath(QStringLiteral("progress.csv")),
      QStringLiteral("CSV (*.csv)"));
  if (path.isEmpty()) return;
  Store* store = keeper_.store();
  QString failure = store ? QString() : QStringLiteral("学习记录现在无法读取。");
  if (store) {
    try {
      failure = progress::exportReadings(*store, path);
    } catch (const DatabaseError& error) {
      failure = QString::fromUtf8(error.what());
    }
  }
  if (!failure.isEmpty()) QMessageBox::warning(this, windowTitle(), failure);
}

void ProgressWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void ProgressWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  emit hidden();
}

}  // namespace progress
