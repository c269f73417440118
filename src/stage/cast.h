// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>
#include <memory>

#include "character/agent.h"
#include "character/engine.h"
#include "role.h"
#include "spoken_sentences.h"

namespace stage {

// The three characters the toolbar keeps for the whole run. For each role: the component
// instance, the loaded character and the latest request other characters wait for (the
// requests the program calls BoyRequest, GirlRequest and VemoRequest).
class Cast {
 public:
  // The character playing `role`. Throws character::AgentError when none is loaded (never
  // loaded, or already released by the quit command).
  character::Character& operator[](Role role) const;
  bool loaded(Role role) const;

  // The latest request of `role` that the others wait for; null until one is kept.
  character::Request& request(Role role) { return seats_[index(role)].request; }
  const character::Request& request(Role role) const { return seats_[index(role)].request; }

  character::AgentControl* control(Role role) const { return seats_[index(role)].control.get(); }
  void setControl(Role role, std::unique_ptr<character::AgentControl> control);
  // The character playing `role`, or nullptr.
  character::Character* character(Role role) const { return seats_[index(role)].character; }
  void setCharacter(Role role, character::Character* character);

  // The sentences the pupils were given to say, lesson lines and typed ones.
  SpokenSentences& spokenSentences() { return spokenSentences_; }

  // The pace of the pupils' sentences (lesson lines, typed sentences and those said again): 1 is
  // the voices' own. The host's lines, the greetings and the Chinese keep their own pace.
  void setSentencePace(double pace) { sentencePace_ = pace; }
  double sentencePace() const { return sentencePace_; }
  // How a pupil speaks a sentence: at the sentences' pace, given only when it is not 1, so a
  // sentence at the voices' own pace is a plain Speak.
  character::SpeakStyle sentenceStyle() const;

  // Stops the character playing `role`; a sentence it had begun to say still counts as said.
  void stop(Role role);

  // Hides every character and lets go of its request, its character and its component
  // instance, one role after another.
  void release();

 private:
  struct Seat {
    std::unique_ptr<character::AgentControl> control;
    character::Character* character = nullptr;
    character::Request request;
  };
  static std::size_t index(Role role) { return static_cast<std::size_t>(role); }

  std::array<Seat, kRoleCount> seats_;
  SpokenSentences spokenSentences_;
  double sentencePace_ = 1.0;
};

}  // namespace stage
