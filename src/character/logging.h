// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

namespace character {

// The component's log categories. Qt's default message handler prints a line as "category:
// message" ("chengmu.speech: no sound output device; ...").
Q_DECLARE_LOGGING_CATEGORY(lcCharacter)  // "chengmu.character": the engine and its clock
Q_DECLARE_LOGGING_CATEGORY(lcSpeech)     // "chengmu.speech": synthesis and sound output

}  // namespace character
