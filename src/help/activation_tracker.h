// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QWindow>

class QWidget;

namespace help {

// Watches which window of the program has the keyboard focus and tells when one window becomes
// active coming from another window of the program (the toolbar, the sentence window). Coming
// back from another program, or from a dialog that the watched window itself opened, does not
// count.
class ActivationTracker : public QObject {
  Q_OBJECT

 public:
  explicit ActivationTracker(QWidget& watched);

  // The next focus change is caused by the program itself, which already did what an
  // activation does: let it pass without a signal.
  void ignoreNextActivation();

  // Called with every change of the application's focus window (nullptr: another program has
  // the focus).
  void focusWindowChanged(QWindow* now);

 signals:
  void activatedFromProgram();

 private:
  bool isWatched(const QWindow* window) const;
  bool isAnotherWindowOfProgram(const QWindow* window) const;

  QWidget& watched_;
  QPointer<QWindow> previous_;
  bool ignoreNext_ = false;
};

}  // namespace help
