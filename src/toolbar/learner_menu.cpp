// SPDX-License-Identifier: GPL-3.0-or-later
#include "learner_menu.h"

#include <QCoreApplication>

namespace toolbar {

LearnerMenu::LearnerMenu(QAction& yourTurn, QAction& sayAgain, const QList<QAction*>& practice,
                         QAction& slowSpeech)
    : yourTurn_(yourTurn), sayAgain_(sayAgain), slowSpeech_(slowSpeech) {
  addActions({&yourTurn_, &sayAgain_});
  addActions(practice);
  addAction(&slowSpeech_);
  addSeparator();
  QAction* version =
      addAction(QStringLiteral("chengmu %1").arg(QCoreApplication::applicationVersion()).trimmed());
  version->setEnabled(false);
}

}  // namespace toolbar
