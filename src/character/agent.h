// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <map>
#include <memory>

#include "request.h"
#include "speak_style.h"

namespace character {

class Engine;
struct CharacterState;

// A loaded character. Every action call queues the action and returns at once with its request;
// a call that cannot be queued throws AgentError.
class Character {
 public:
  Character(Engine& engine, CharacterState& state) : engine_(engine), state_(state) {}
  Character(const Character&) = delete;
  Character& operator=(const Character&) = delete;

  QString id() const;

  Request MoveTo(int x, int y);
  Request Show();
  Request Hide();
  Request Play(const QString& animation);
  Request Speak(const QString& text, const SpeakStyle& style = {});
  Request Think(const QString& text);
  Request Wait(const Request& other);
  // Ends the running action and drops everything queued for this character.
  void Stop();

  // Frame size in pixels; takes effect at once, not queued.
  void setHeight(int pixels);
  void setWidth(int pixels);
  int Height() const;
  int Width() const;

  CharacterState& state() { return state_; }

 private:
  Engine& engine_;
  CharacterState& state_;
};

// The characters one control has loaded, by ID.
class Characters {
 public:
  explicit Characters(Engine& engine) : engine_(engine) {}
  ~Characters();
  Characters(const Characters&) = delete;
  Characters& operator=(const Characters&) = delete;

  // Reads the character file at `path` and registers it under `id`.
  Request Load(const QString& id, const QString& path);
  // The character loaded under `id`; throws AgentError when there is none.
  ::character::Character& Character(const QString& id);

 private:
  Engine& engine_;
  std::map<QString, std::unique_ptr<::character::Character>> loaded_;
};

// One instance of the character component. It must be connected before it loads characters;
// releasing it releases its characters.
class AgentControl {
 public:
  explicit AgentControl(Engine& engine) : characters_(engine) {}

  bool Connected() const { return connected_; }
  void setConnected(bool connected) { connected_ = connected; }
  // Throws AgentError while not connected.
  Characters& characters();

 private:
  bool connected_ = false;
  Characters characters_;
};

}  // namespace character
