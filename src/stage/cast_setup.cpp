// SPDX-License-Identifier: GPL-3.0-or-later
#include "cast_setup.h"

#include <memory>

namespace stage {
namespace {

std::unique_ptr<character::AgentControl> connectedControl(character::Engine& engine) {
  auto control = std::make_unique<character::AgentControl>(engine);
  control->setConnected(true);
  return control;
}

character::Character* load(character::AgentControl& control, const CastMember& member,
                           const QString& programFolder) {
  const QString id = QString::fromLatin1(member.id);
  control.characters().Load(
      id, programFolder + QLatin1Char('/') + QString::fromLatin1(member.fileName));
  return &control.characters().Character(id);
}

}  // namespace

void setUpCast(character::Engine& engine, Cast& cast, const QString& programFolder) {
  for (Role role : kRoles) cast.setControl(role, connectedControl(engine));
  for (Role role : kRoles) {
    cast.setCharacter(role, load(*cast.control(role), castMember(role), programFolder));
  }
}

}  // namespace stage
