// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <vector>

#include "progress_report.h"

namespace progress {

// A picture of the last days of practice: a bar for the readings of each day, on the left
// scale, and a line through the share of words heard on the days with readings, on the right
// scale (0 to 100 %).
class ProgressChart : public QWidget {
  Q_OBJECT

 public:
  explicit ProgressChart(QWidget* parent = nullptr);
  void setDays(std::vector<DayFigures> days);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRectF plotArea() const;
  void drawAxes(QPainter& painter, const QRectF& plot, int mostReadings) const;
  void drawBars(QPainter& painter, const QRectF& plot, int mostReadings) const;
  void drawShareHeard(QPainter& painter, const QRectF& plot) const;

  std::vector<DayFigures> days_;
};

}  // namespace progress
