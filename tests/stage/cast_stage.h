// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <memory>
#include <utility>
#include <vector>

#include "support/headless_cast.h"

namespace stage_testing {

// The cast of three test characters on a virtual clock, as the opening scene leaves it: each
// pupil and the host (vemo) keep a request of their own. recordCalls() writes every later call to
// `log` as one line, and a Wait names the call whose request it waits for:
//   vemo MoveTo 300 156
//   girl Speak "Good morning!"
//   vemo Wait [girl Speak "Good morning!"]
class CastStage : public testing_support::HeadlessCast {
 public:
  CastStage() {
    cast.request(stage::Role::Boy) = cast[stage::Role::Boy].Speak(QStringLiteral("Hello!"));
    cast.request(stage::Role::Girl) = cast[stage::Role::Girl].Speak(QStringLiteral("How are you!"));
    cast.request(stage::Role::Host) = cast[stage::Role::Host].Think(QStringLiteral(" 好"));
    requestNames = {{cast.request(stage::Role::Boy), QStringLiteral("boy's earlier request")},
                    {cast.request(stage::Role::Girl), QStringLiteral("girl's earlier request")},
                    {cast.request(stage::Role::Host), QStringLiteral("vemo's earlier request")}};
  }

  void recordCalls() {
    engine.setCallObserver([this](const character::CallRecord& call) { log << describe(call); });
  }

  // The name of the call that returned `request`.
  QString nameOf(const character::Request& request) const {
    for (const auto& [known, name] : requestNames) {
      if (known == request) return name;
    }
    return QStringLiteral("an unknown request");
  }

  QStringList log;

 private:
  QString describe(const character::CallRecord& call) {
    QStringList words{call.characterId, call.operation};
    for (const QString& argument : call.arguments) {
      bool number = false;
      argument.toInt(&number);
      words << (number ? argument : QStringLiteral("\"%1\"").arg(argument));
    }
    if (call.operation == QStringLiteral("Wait")) {
      words << QStringLiteral("[%1]").arg(nameOf(call.awaited));
    }
    const QString text = words.join(QLatin1Char(' '));
    if (!call.request.isNull()) requestNames.emplace_back(call.request, text);
    return text;
  }

  std::vector<std::pair<character::Request, QString>> requestNames;
};

}  // namespace stage_testing
