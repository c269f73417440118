// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMenu>

namespace toolbar {

// The menu a right click on a toolbar button opens: the learner's own turn, the last sentence
// again, the learner's other practice (review, drill, progress), the pace of the sentences, and
// the program's version.
// The actions are the program's; their keys work in every window they are added to.
class LearnerMenu : public QMenu {
  Q_OBJECT

 public:
  LearnerMenu(QAction& yourTurn, QAction& sayAgain, const QList<QAction*>& practice,
              const QList<QAction*>& paces);

  QAction& yourTurn() const { return yourTurn_; }
  QAction& sayAgain() const { return sayAgain_; }
  // The submenu "慢速 (Slow speech)": the paces of the pupils' sentences, one checked.
  QMenu& paceMenu() const { return *paceMenu_; }

 private:
  QAction& yourTurn_;
  QAction& sayAgain_;
  QMenu* paceMenu_ = nullptr;
};

}  // namespace toolbar
