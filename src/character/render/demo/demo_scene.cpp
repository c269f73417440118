#include "demo_scene.h"

namespace demo {

void queueScene(const DemoCast& cast) {
  cast.vemo.MoveTo(180, 156);
  cast.vemo.Show();
  cast.vemo.Play(QStringLiteral("Greet"));
  cast.vemo.Speak(QStringLiteral("Hi! I am Kaibo."));
  cast.vemo.Think(QStringLiteral(" 你 好 !"));
  const character::Request callBoy = cast.vemo.Speak(QStringLiteral("Tom! Come in!"));

  cast.boy.MoveTo(80, 335);
  cast.boy.Wait(callBoy);
  cast.boy.Show();
  const character::Request boyHello = cast.boy.Speak(QStringLiteral("Hello!"));

  cast.vemo.Wait(boyHello);
  cast.vemo.Play(QStringLiteral("LookLeft"));
  const character::Request callGirl = cast.vemo.Speak(QStringLiteral("Jenny! Come here!"));

  cast.girl.MoveTo(300, 333);
  cast.girl.setHeight(150);
  cast.girl.setWidth(130);
  cast.girl.Wait(callGirl);
  cast.girl.Show();
  cast.girl.Play(QStringLiteral("Read"));
  const character::Request girlThought = cast.girl.Think(QStringLiteral(" 你 好 !"));

  cast.boy.Wait(girlThought);
  cast.boy.Play(QStringLiteral("Suggest"));
  const character::Request boyLetsGo =
      cast.boy.Speak(QStringLiteral("Let's learn English together, with a sentence at a time!"));

  cast.vemo.Wait(boyLetsGo);
  cast.vemo.Play(QStringLiteral("Congratulate"));
  cast.vemo.Think(QStringLiteral("好 , 让 我 们 开 始 吧 !"));
  cast.vemo.Play(QStringLiteral("LookUp"));
}

}  // namespace demo
