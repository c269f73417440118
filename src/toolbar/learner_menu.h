// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMenu>

namespace toolbar {

// The menu a right click on a toolbar button opens: the learner's own turn, the last sentence
// again, the learner's other practice (review, progress), slow speech, and the program's version.
// The actions are the program's; their keys work in every window they are added to.
class LearnerMenu : public QMenu {
  Q_OBJECT

 public:
  LearnerMenu(QAction& yourTurn, QAction& sayAgain, const QList<QAction*>& practice,
              QAction& slowSpeech);

  QAction& yourTurn() const { return yourTurn_; }
  QAction& sayAgain() const { return sayAgain_; }
  // Checkable: checked while the characters speak slowly.
  QAction& slowSpeech() const { return slowSpeech_; }

 private:
  QAction& yourTurn_;
  QAction& sayAgain_;
  QAction& slowSpeech_;
};

}  // namespace toolbar
