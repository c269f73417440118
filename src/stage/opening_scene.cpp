// SPDX-License-Identifier: GPL-3.0-or-later
#include "opening_scene.h"

namespace stage {
namespace {

// The girl is drawn smaller than her picture, in pixels.
constexpr int kGirlHeight = 150;
constexpr int kGirlWidth = 130;

character::Character& atHome(Cast& cast, Role role) {
  character::Character& playing = cast[role];
  const QPoint home = castMember(role).home;
  playing.MoveTo(home.x(), home.y());
  return playing;
}

void greetAndCallTom(Cast& cast) {
  character::Character& host = atHome(cast, Role::Host);
  host.Show();
  host.Play(QStringLiteral("Greet"));
  host.Speak(QStringLiteral("Hi!"));
  host.Play(QStringLiteral("Congratulate"));
  host.Speak(QStringLiteral("My name's Kaibo"));
  host.Think(QStringLiteral(" 你 好 !"));
  host.Play(QStringLiteral("LookRight"));
  cast.request(Role::Host) = host.Speak(QStringLiteral("Tom!Come In!"));
}

void tomComesIn(Cast& cast) {
  character::Character& boy = atHome(cast, Role::Boy);
  boy.Wait(cast.request(Role::Host));
  boy.Show();
  cast.request(Role::Boy) = boy.Speak(QStringLiteral("Hello!"));
}

void callJenny(Cast& cast) {
  character::Character& host = cast[Role::Host];
  host.Wait(cast.request(Role::Boy));
  host.Play(QStringLiteral("LookLeft"));
  cast.request(Role::Host) = host.Speak(QStringLiteral("Jenny!Come Here!"));
}

void jennyComesIn(Cast& cast) {
  character::Character& girl = atHome(cast, Role::Girl);
  girl.setHeight(kGirlHeight);
  girl.setWidth(kGirlWidth);
  girl.Wait(cast.request(Role::Host));
  girl.Show();
  cast.request(Role::Girl) = girl.Speak(QStringLiteral("How are you!"));
}

void pointToTheMenu(Cast& cast) {
  character::Character& host = cast[Role::Host];
  host.Wait(cast.request(Role::Girl));
  host.Play(QStringLiteral("Congratulate"));
  host.Think(QStringLiteral("好 , 让 我 们 开 始 吧 ! 看 上 面 的 菜 单..."));
  host.Play(QStringLiteral("LookUp"));
}

}  // namespace

void queueOpeningScene(Cast& cast) {
  greetAndCallTom(cast);
  tomComesIn(cast);
  callJenny(cast);
  jennyComesIn(cast);
  pointToTheMenu(cast);
}

}  // namespace stage
