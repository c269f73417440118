// SPDX-License-Identifier: GPL-3.0-or-later
#include "learner_menu.h"

#include <QCoreApplication>

namespace toolbar {

LearnerMenu::LearnerMenu(QAction& yourTurn, QAction& sayAgain, const QList<QAction*>& practice,
                         const QList<QAction*>& paces)
    : yourTurn_(yourTurn), sayAgain_(sayAgain) {
  addActions({&yourTurn_, &sayAgain_});
  addActions(practice);
  paceMenu_ = addMenu(QStringLiteral("慢速 (Slow speech)"));
  paceMenu_->addActions(paces);
  addSeparator();
  QAction* version =
      addAction(QStringLiteral("chengmu %1").arg(QCoreApplication::applicationVersion()).trimmed());
  version->setEnabled(false);
}

}  // namespace toolbar
