// SPDX-License-Identifier: GPL-3.0-or-later
#include "slow_speech_setting.h"

#include <QSettings>

namespace practice {
namespace {

const QString kSlowSpeechKey = QStringLiteral("speech/slow");

QSettings programSettings() {
  return QSettings(QStringLiteral("chengmu"), QStringLiteral("chengmu"));
}

}  // namespace

bool slowSpeechChosen() {
  return programSettings().value(kSlowSpeechKey, false).toBool();
}

void keepSlowSpeechChoice(bool slow) {
  programSettings().setValue(kSlowSpeechKey, slow);
}

}  // namespace practice
