// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

namespace character {

// "chengmu.speech": synthesis and sound output. Qt's default message handler prints a line as
// "category: message" ("chengmu.speech: no sound output device; ...").
Q_DECLARE_LOGGING_CATEGORY(lcSpeech)

}  // namespace character
