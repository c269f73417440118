// SPDX-License-Identifier: GPL-3.0-or-later
#include "closing_scene.h"

namespace stage {

void queueClosingScene(Cast& cast) {
  character::Character& host = cast[Role::Host];
  const QPoint home = castMember(Role::Host).home;
  host.MoveTo(home.x(), home.y());
  cast.request(Role::Host) = host.Speak(QStringLiteral("学 习 完 毕"));
  character::Character& boy = cast[Role::Boy];
  boy.Wait(cast.request(Role::Host));
  cast.request(Role::Boy) = boy.Play(QStringLiteral("Congratulate"));
  character::Character& girl = cast[Role::Girl];
  girl.Wait(cast.request(Role::Boy));
  girl.Play(QStringLiteral("Congratulate"));
}

}  // namespace stage
