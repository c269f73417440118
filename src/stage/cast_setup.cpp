#include "cast_setup.h"

#include <memory>

namespace stage {
namespace {

std::unique_ptr<character::AgentControl> connectedControl(character::Engine& engine) {
  auto control = std::make_unique<character::AgentControl>(engine);
  control->setConnected(true);
  return control;
}

character::Character* load(character::AgentControl& control, const QString& id,
                           const QString& path) {
  control.characters().Load(id, path);
  return &control.characters().Character(id);
}

}  // namespace

void setUpCast(character::Engine& engine, Cast& cast, const QString& programFolder) {
  cast.BoyAgent = connectedControl(engine);
  cast.GirlAgent = connectedControl(engine);
  cast.VemoAgent = connectedControl(engine);
  cast.Boy = load(*cast.BoyAgent, QStringLiteral("boy"), programFolder + QStringLiteral("/ku.dat"));
  cast.Girl =
      load(*cast.GirlAgent, QStringLiteral("girl"), programFolder + QStringLiteral("/nu.dat"));
  cast.Vemo =
      load(*cast.VemoAgent, QStringLiteral("vemo"), programFolder + QStringLiteral("/fi.dat"));
}

}  // namespace stage
