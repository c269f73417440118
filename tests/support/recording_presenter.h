// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

#include "character/presenter.h"

namespace testing_support {

// Remembers what the engine showed, as the latest state per character plus a log of events.
class RecordingPresenter : public character::Presenter {
 public:
  struct Balloon {
    bool shown = false;
    character::BalloonKind kind = character::BalloonKind::Speech;
    QString fullText;
    QString visibleText;
  };
  struct Shown {
    QRect frame;
    bool visible = false;
    character::Pose pose;
    Balloon balloon;
  };

  void addCharacter(const QString& id, const character::CharacterData&) override {
    state[id] = Shown{};
    log << id + " added";
  }
  void removeCharacter(const QString& id) override {
    state.remove(id);
    log << id + " removed";
  }
  void setGeometry(const QString& id, const QRect& frame) override { state[id].frame = frame; }
  void setVisible(const QString& id, bool visible) override {
    state[id].visible = visible;
    log << id + (visible ? " shown" : " hidden");
  }
  void setPose(const QString& id, const character::Pose& pose) override { state[id].pose = pose; }
  void showBalloon(const QString& id, character::BalloonKind kind, const QString& fullText,
                   const QString& visibleText) override {
    state[id].balloon = Balloon{true, kind, fullText, visibleText};
    log << QStringLiteral("%1 balloon \"%2\"").arg(id, visibleText);
  }
  void hideBalloon(const QString& id) override {
    state[id].balloon.shown = false;
    log << id + " balloon hidden";
  }

  QHash<QString, Shown> state;
  QStringList log;
};

}  // namespace testing_support
