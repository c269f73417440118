// SPDX-License-Identifier: GPL-3.0-or-later
#include "balloon_clearance.h"

#include <QApplication>
#include <QPointer>

#include "lesson/sentence_window.h"

namespace app {

namespace {

// The sentence window is made the first time it is needed, so it is looked for among the
// program's windows rather than asked for.
void addShownSentenceWindows(std::vector<QRect>& areas) {
  for (const QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible() && qobject_cast<const lesson::SentenceWindow*>(window))
      areas.push_back(window->frameGeometry());
  }
}

}  // namespace

character::KeepClearAreas windowsBalloonsKeepClearOf(QWidget& toolbar) {
  return [bar = QPointer<QWidget>(&toolbar)] {
    std::vector<QRect> areas;
    if (bar && bar->isVisible()) areas.push_back(bar->frameGeometry());
    addShownSentenceWindows(areas);
    return areas;
  };
}

}  // namespace app
