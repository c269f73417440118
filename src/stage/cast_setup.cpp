// SPDX-License-Identifier: GPL-3.0-or-later
#include "cast_setup.h"

#include <memory>

namespace stage {
namespace {

QString filePath(const CastMember& member, const QString& programFolder) {
  return programFolder + QLatin1Char('/') + QString::fromLatin1(member.fileName);
}

std::unique_ptr<character::AgentControl> connectedControl(character::Engine& engine) {
  auto control = std::make_unique<character::AgentControl>(engine);
  control->setConnected(true);
  return control;
}

character::Character* load(character::AgentControl& control, const CastMember& member,
                           const QString& programFolder) {
  const QString id = QString::fromLatin1(member.id);
  control.characters().Load(id, filePath(member, programFolder));
  return &control.characters().Character(id);
}

}  // namespace

std::unique_ptr<character::CharacterFilesReadAhead> readCastAhead(const QString& programFolder) {
  QStringList paths;
  for (Role role : kRoles) paths.append(filePath(castMember(role), programFolder));
  return std::make_unique<character::CharacterFilesReadAhead>(paths);
}

void setUpCast(character::Engine& engine, Cast& cast, const QString& programFolder) {
  for (Role role : kRoles) cast.setControl(role, connectedControl(engine));
  for (Role role : kRoles) {
    cast.setCharacter(role, load(*cast.control(role), castMember(role), programFolder));
  }
}

}  // namespace stage
