// SPDX-License-Identifier: GPL-3.0-or-later
#include "balloon_text.h"

#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace character {

namespace {

constexpr double kPointSize = 10.5;
const QColor kMarkedColour(200, 0, 0);

// Lays `layout` out in lines of `maxWidth`; returns the size of the text it holds.
QSizeF layOut(QTextLayout& layout, int maxWidth) {
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  double height = 0;
  double width = 0;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(maxWidth);
    line.setPosition(QPointF(0, height));
    height += line.height();
    width = std::max(width, line.naturalTextWidth());
  }
  layout.endLayout();
  return QSizeF(width, height);
}

}  // namespace

QFont balloonFont() {
  QFont font;
  font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("AR PL UMing CN")});
  font.setPointSizeF(kPointSize);
  return font;
}

int revealedLength(const QString& fullText, const QString& visibleText) {
  const auto shared =
      std::mismatch(fullText.begin(), fullText.end(), visibleText.begin(), visibleText.end());
  return static_cast<int>(shared.first - fullText.begin());
}

// A line break in the text starts a new line: a text layout breaks lines only at the Unicode
// line separator, which takes the break's place, so every offset stays.
BalloonText::BalloonText(const QString& fullText, const QFont& font, int maxWidth)
    : text_(QString(fullText).replace(QLatin1Char('\n'), QChar::LineSeparator)),
      font_(font),
      maxWidth_(maxWidth) {
  QTextLayout layout(text_, font_);
  const QSizeF size = layOut(layout, maxWidth_);
  size_ =
      QSize(static_cast<int>(std::ceil(size.width())), static_cast<int>(std::ceil(size.height())));
  lineCount_ = layout.lineCount();
}

void BalloonText::draw(QPainter& painter, const QPoint& origin, int revealed, const QColor& color,
                       const std::vector<MarkedRange>& marked) const {
  QTextLayout layout(text_, font_);
  QList<QTextLayout::FormatRange> formats;
  for (const MarkedRange& range : marked) {
    QTextLayout::FormatRange mark;
    mark.start = static_cast<int>(range.offset);
    mark.length = static_cast<int>(range.length);
    mark.format.setForeground(kMarkedColour);
    mark.format.setFontUnderline(true);
    formats << mark;
  }
  // Last, so that nothing marked shows before it is revealed.
  QTextLayout::FormatRange hidden;
  hidden.start = std::clamp(revealed, 0, static_cast<int>(text_.size()));
  hidden.length = static_cast<int>(text_.size()) - hidden.start;
  hidden.format.setForeground(Qt::transparent);
  formats << hidden;
  layout.setFormats(formats);
  layOut(layout, maxWidth_);
  painter.setPen(color);
  layout.draw(&painter, origin);
}

}  // namespace character
