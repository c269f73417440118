// SPDX-License-Identifier: GPL-3.0-or-later
#include "program_icon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace app {

QIcon programIcon() {
  QSvgRenderer renderer(QStringLiteral(":/icons/icon.svg"));
  QIcon icon;
  for (int size : {16, 32, 48}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace app
