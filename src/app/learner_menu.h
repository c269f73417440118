// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMenu>

namespace app {

// The menu a right click on a toolbar button opens: the learner's own turn, the last sentence
// again, slow speech, and the program's version. "Your turn" and "Say it again" also have keys
// (F5, F6) in every window their actions are added to.
class LearnerMenu : public QMenu {
  Q_OBJECT

 public:
  LearnerMenu();

  QAction& yourTurn() const { return *yourTurn_; }
  QAction& sayAgain() const { return *sayAgain_; }
  // Checkable: checked while the characters speak slowly.
  QAction& slowSpeech() const { return *slowSpeech_; }

 private:
  QAction* yourTurn_ = nullptr;
  QAction* sayAgain_ = nullptr;
  QAction* slowSpeech_ = nullptr;
};

}  // namespace app
