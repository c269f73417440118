#include "closing_scene.h"

#include "loaded_character.h"

namespace stage {

void queueClosingScene(Cast& cast) {
  character::Character& vemo = loaded(cast.Vemo, QStringLiteral("vemo"));
  vemo.MoveTo(180, 156);
  cast.VemoRequest = vemo.Speak(QStringLiteral("学 习 完 毕"));
  character::Character& boy = loaded(cast.Boy, QStringLiteral("boy"));
  boy.Wait(cast.VemoRequest);
  cast.BoyRequest = boy.Play(QStringLiteral("Congratulate"));
  character::Character& girl = loaded(cast.Girl, QStringLiteral("girl"));
  girl.Wait(cast.BoyRequest);
  girl.Play(QStringLiteral("Congratulate"));
}

}  // namespace stage
