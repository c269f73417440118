// SPDX-License-Identifier: GPL-3.0-or-later
#include "learner_menu.h"

#include <QCoreApplication>

namespace app {

LearnerMenu::LearnerMenu() {
  yourTurn_ = addAction(QStringLiteral("我来说 (Your turn)"));
  yourTurn_->setShortcut(Qt::Key_F5);
  sayAgain_ = addAction(QStringLiteral("再听一遍 (Say it again)"));
  sayAgain_->setShortcut(Qt::Key_F6);
  for (QAction* keyed : {yourTurn_, sayAgain_}) keyed->setShortcutContext(Qt::WindowShortcut);
  slowSpeech_ = addAction(QStringLiteral("慢速 (Slow speech)"));
  slowSpeech_->setCheckable(true);
  addSeparator();
  QAction* version =
      addAction(QStringLiteral("chengmu %1").arg(QCoreApplication::applicationVersion()).trimmed());
  version->setEnabled(false);
}

}  // namespace app
