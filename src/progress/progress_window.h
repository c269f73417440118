// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QTableWidget>
#include <QWidget>

#include "progress_chart.h"
#include "progress_keeper.h"

namespace progress {

// "学习记录": the learner's progress. Days practised in a row, a chart of the last 30 days, each
// lesson's sentences practised, mean score and sentences due, and the words missed most, each
// with the sentence it was last missed in; an export of every reading as CSV. Kept off the
// task bar; Esc closes it.
class ProgressWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kChartDays = 30;
  static constexpr int kMissedWordsShown = 20;

  explicit ProgressWindow(ProgressKeeper& keeper);

  // Reads the figures anew and shows the window, activated.
  void showUpToDate();
  // Reads the figures anew.
  void refresh();

 signals:
  // Closed, by Esc, its button or the window manager.
  void hidden();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void createControls();
  void fillLessons(const std::vector<LessonFigures>& lessons);
  void fillMissedWords(const std::vector<MissedWord>& words);
  void exportReadings();

  ProgressKeeper& keeper_;
  QLabel* headline_ = nullptr;
  ProgressChart* chart_ = nullptr;
  QTableWidget* lessons_ = nullptr;
  QTableWidget* missedWords_ = nullptr;
};

}  // namespace progress
