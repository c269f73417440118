// SPDX-License-Identifier: GPL-3.0-or-later
#include "cast.h"

#include "character/agent_error.h"

namespace stage {

character::Character& Cast::operator[](Role role) const {
  if (!loaded(role)) {
    throw character::AgentError(QStringLiteral("The character \"%1\" is not loaded.")
                                    .arg(QString::fromLatin1(castMember(role).id)));
  }
  return *character(role);
}

bool Cast::loaded(Role role) const {
  return character(role) != nullptr;
}

character::SpeakStyle Cast::sentenceStyle() const {
  character::SpeakStyle style;
  if (sentencePace_ != 1.0) style.pace = sentencePace_;
  return style;
}

void Cast::stop(Role role) {
  spokenSentences_.takeNote();
  (*this)[role].Stop();
}

void Cast::setControl(Role role, std::unique_ptr<character::AgentControl> control) {
  seats_[index(role)].control = std::move(control);
}

void Cast::setCharacter(Role role, character::Character* character) {
  seats_[index(role)].character = character;
}

void Cast::release() {
  for (Seat& seat : seats_) {
    if (seat.character) seat.character->Hide();
    seat.request = character::Request();
    seat.character = nullptr;
    seat.control.reset();
  }
  spokenSentences_.clear();
}

}  // namespace stage
