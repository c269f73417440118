#include "opening_scene.h"

namespace stage {
namespace {

void greetAndCallTom(Cast& cast) {
  character::Character& vemo = *cast.Vemo;
  vemo.MoveTo(180, 156);
  vemo.Show();
  vemo.Play(QStringLiteral("Greet"));
  vemo.Speak(QStringLiteral("Hi!"));
  vemo.Play(QStringLiteral("Congratulate"));
  vemo.Speak(QStringLiteral("My name's Kaibo"));
  vemo.Think(QStringLiteral(" 你 好 !"));
  vemo.Play(QStringLiteral("LookRight"));
  cast.VemoRequest = vemo.Speak(QStringLiteral("Tom!Come In!"));
}

void tomComesIn(Cast& cast) {
  character::Character& boy = *cast.Boy;
  boy.MoveTo(80, 335);
  boy.Wait(cast.VemoRequest);
  boy.Show();
  cast.BoyRequest = boy.Speak(QStringLiteral("Hello!"));
}

void callJenny(Cast& cast) {
  character::Character& vemo = *cast.Vemo;
  vemo.Wait(cast.BoyRequest);
  vemo.Play(QStringLiteral("LookLeft"));
  cast.VemoRequest = vemo.Speak(QStringLiteral("Jenny!Come Here!"));
}

void jennyComesIn(Cast& cast) {
  character::Character& girl = *cast.Girl;
  girl.MoveTo(300, 333);
  girl.setHeight(150);
  girl.setWidth(130);
  girl.Wait(cast.VemoRequest);
  girl.Show();
  cast.GirlRequest = girl.Speak(QStringLiteral("How are you!"));
}

void pointToTheMenu(Cast& cast) {
  character::Character& vemo = *cast.Vemo;
  vemo.Wait(cast.GirlRequest);
  vemo.Play(QStringLiteral("Congratulate"));
  vemo.Think(QStringLiteral("好 , 让 我 们 开 始 吧 ! 看 上 面 的 菜 单..."));
  vemo.Play(QStringLiteral("LookUp"));
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
