// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/activation_tracker.h"

#include <QGuiApplication>
#include <QWidget>
#include <utility>

namespace help {

ActivationTracker::ActivationTracker(QWidget& watched)
    : watched_(watched), previous_(QGuiApplication::focusWindow()) {
  connect(qGuiApp, &QGuiApplication::focusWindowChanged, this,
          &ActivationTracker::focusWindowChanged);
}

void ActivationTracker::ignoreNextActivation() {
  ignoreNext_ = true;
}

void ActivationTracker::focusWindowChanged(QWindow* now) {
  const QWindow* previous = previous_.data();
  previous_ = now;
  const bool ignored = std::exchange(ignoreNext_, false);
  if (ignored || !isWatched(now) || !isAnotherWindowOfProgram(previous)) {
    return;
  }
  emit activatedFromProgram();
}

bool ActivationTracker::isWatched(const QWindow* window) const {
  return window && window == watched_.windowHandle();
}

bool ActivationTracker::isAnotherWindowOfProgram(const QWindow* window) const {
  if (!window || isWatched(window)) {
    return false;
  }
  for (const QWindow* owner = window->transientParent(); owner; owner = owner->transientParent()) {
    if (isWatched(owner)) {
      return false;
    }
  }
  return true;
}

}  // namespace help
