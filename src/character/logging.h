// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>
#include <exception>

namespace character {

// The component's log categories. Qt's default message handler prints a line as "category:
// message" ("chengmu.speech: no sound output device; ...").
Q_DECLARE_LOGGING_CATEGORY(lcCharacter)  // "chengmu.character": the engine and its clock
Q_DECLARE_LOGGING_CATEGORY(lcSpeech)     // "chengmu.speech": synthesis and sound output

// Runs `step` where an exception must go no further: in a slot or timer of the event loop, or in
// a job of a worker thread. What it throws is logged under `category`, as "`what` failed: ...",
// and the caller carries on.
template <typename Category, typename Step>
void runGuarded(Category category, const char* what, Step&& step) noexcept {
  try {
    step();
  } catch (const std::exception& error) {
    qCWarning(category, "%s failed: %s", what, error.what());
  } catch (...) {
    qCWarning(category, "%s failed", what);
  }
}

}  // namespace character
