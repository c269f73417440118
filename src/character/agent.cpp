// SPDX-License-Identifier: GPL-3.0-or-later
#include "agent.h"

#include "agent_error.h"
#include "character_file_read_ahead.h"
#include "engine.h"
#include "engine_state.h"

namespace character {

QString Character::id() const {
  return engine_.data(state_).id;
}

Request Character::MoveTo(int x, int y) {
  return engine_.moveTo(state_, x, y);
}
Request Character::Show() {
  return engine_.show(state_);
}
Request Character::Hide() {
  return engine_.hide(state_);
}
Request Character::Play(const QString& animation) {
  return engine_.play(state_, animation);
}
Request Character::Speak(const QString& text, const SpeakStyle& style) {
  return engine_.speak(state_, text, style);
}
Request Character::Think(const QString& text) {
  return engine_.think(state_, text);
}
Request Character::Wait(const Request& other) {
  return engine_.wait(state_, other);
}
void Character::Stop() {
  engine_.stop(state_);
}

void Character::setHeight(int pixels) {
  engine_.setSize(state_, engine_.frame(state_).width(), pixels);
}
void Character::setWidth(int pixels) {
  engine_.setSize(state_, pixels, engine_.frame(state_).height());
}
int Character::Height() const {
  return engine_.frame(state_).height();
}
int Character::Width() const {
  return engine_.frame(state_).width();
}

Characters::~Characters() {
  for (auto& [id, loaded] : loaded_) engine_.removeCharacter(loaded->state());
}

Request Characters::Load(const QString& id, const QString& path) {
  if (loaded_.count(id)) {
    throw AgentError(QStringLiteral("a character is already loaded as \"%1\"").arg(id));
  }
  CharacterData data = takeCharacterFile(path);
  data.id = id;
  CharacterState& state = engine_.addCharacter(std::move(data));
  loaded_.emplace(id, std::make_unique<::character::Character>(engine_, state));
  Request request = Request::make();
  request.setStatus(RequestStatus::Done);
  return request;
}

::character::Character& Characters::Character(const QString& id) {
  auto found = loaded_.find(id);
  if (found == loaded_.end()) {
    throw AgentError(QStringLiteral("no character is loaded as \"%1\"").arg(id));
  }
  return *found->second;
}

Characters& AgentControl::characters() {
  if (!connected_) throw AgentError(QStringLiteral("the character control is not connected"));
  return characters_;
}

}  // namespace character
