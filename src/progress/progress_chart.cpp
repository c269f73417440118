// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress_chart.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace progress {
namespace {

const QColor kBarColour(110, 160, 220);
const QColor kLineColour(220, 110, 40);
const QColor kAxisColour(90, 90, 90);
constexpr int kMargin = 36;

}  // namespace

ProgressChart::ProgressChart(QWidget* parent) : QWidget(parent) {
  setMinimumSize(520, 200);
}

void ProgressChart::setDays(std::vector<DayFigures> days) {
  days_ = std::move(days);
  update();
}

QRectF ProgressChart::plotArea() const {
  return QRectF(rect()).adjusted(kMargin, 12, -kMargin, -24);
}

void ProgressChart::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(rect(), Qt::white);
  if (days_.empty()) return;
  int mostReadings = 1;
  for (const DayFigures& day : days_) mostReadings = std::max(mostReadings, day.readings);
  const QRectF plot = plotArea();
  drawBars(painter, plot, mostReadings);
  drawShareHeard(painter, plot);
  drawAxes(painter, plot, mostReadings);
}

void ProgressChart::drawAxes(QPainter& painter, const QRectF& plot, int mostReadings) const {
  painter.setPen(kAxisColour);
  painter.drawLine(plot.bottomLeft(), plot.bottomRight());
  painter.drawLine(plot.bottomLeft(), plot.topLeft());
  painter.drawLine(plot.bottomRight(), plot.topRight());
  const QRectF leftScale(0, plot.top() - 6, kMargin - 4, plot.height() + 12);
  painter.drawText(leftScale, Qt::AlignRight | Qt::AlignTop, QString::number(mostReadings));
  painter.drawText(leftScale, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("0"));
  const QRectF rightScale(plot.right() + 4, plot.top() - 6, kMargin, plot.height() + 12);
  painter.setPen(kLineColour);
  painter.drawText(rightScale, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("100%"));
  painter.drawText(rightScale, Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("0%"));
  painter.setPen(kAxisColour);
  const QRectF dates(plot.left(), plot.bottom() + 4, plot.width(), 18);
  painter.drawText(dates, Qt::AlignLeft, days_.front().day.toString(QStringLiteral("M月d日")));
  painter.drawText(dates, Qt::AlignRight, days_.back().day.toString(QStringLiteral("M月d日")));
}

void ProgressChart::drawBars(QPainter& painter, const QRectF& plot, int mostReadings) const {
  const double slot = plot.width() / double(days_.size());
  for (std::size_t at = 0; at < days_.size(); ++at) {
    const double height = plot.height() * days_[at].readings / mostReadings;
    painter.fillRect(
        QRectF(plot.left() + slot * at + slot * 0.15, plot.bottom() - height, slot * 0.7, height),
        kBarColour);
  }
}

void ProgressChart::drawShareHeard(QPainter& painter, const QRectF& plot) const {
  const double slot = plot.width() / double(days_.size());
  QPainterPath line;
  painter.setPen(QPen(kLineColour, 2));
  painter.setBrush(kLineColour);
  for (std::size_t at = 0; at < days_.size(); ++at) {
    if (days_[at].words == 0) continue;
    const QPointF point(plot.left() + slot * (at + 0.5),
                        plot.bottom() - plot.height() * days_[at].heard / days_[at].words);
    if (line.elementCount() == 0) {
      line.moveTo(point);
    } else {
      line.lineTo(point);
    }
    painter.drawEllipse(point, 2.5, 2.5);
  }
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(line);
}

}  // namespace progress
