// SPDX-License-Identifier: GPL-3.0-or-later
#include "pace_setting.h"

#include <QSettings>
#include <algorithm>
#include <cmath>

namespace practice {
namespace {

const QString kPaceKey = QStringLiteral("speech/pace");
const QString kOldSlowSpeechKey = QStringLiteral("speech/slow");
constexpr double kOldSlowSpeechPace = 0.8;

QSettings programSettings() {
  return QSettings(QStringLiteral("chengmu"), QStringLiteral("chengmu"));
}

// The pace of kSentencePaces nearest `pace`.
double nearestPace(double pace) {
  return *std::min_element(
      kSentencePaces.begin(), kSentencePaces.end(),
      [pace](double a, double b) { return std::abs(a - pace) < std::abs(b - pace); });
}

}  // namespace

double chosenSentencePace() {
  const QSettings settings = programSettings();
  if (settings.contains(kPaceKey)) return nearestPace(settings.value(kPaceKey).toDouble());
  return settings.value(kOldSlowSpeechKey, false).toBool() ? kOldSlowSpeechPace : 1.0;
}

void keepSentencePace(double pace) {
  QSettings settings = programSettings();
  settings.setValue(kPaceKey, pace);
  settings.remove(kOldSlowSpeechKey);
}

}  // namespace practice
