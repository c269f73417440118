// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

namespace character {

// "chengmu.character": driving the engine from the event loop.
Q_DECLARE_LOGGING_CATEGORY(lcCharacter)
// "chengmu.speech", as the speech module's own lines: loading that module, so that one logging
// rule covers everything about speech.
Q_DECLARE_LOGGING_CATEGORY(lcSpeechLoading)

}  // namespace character
