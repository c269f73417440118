// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <deque>
#include <functional>
#include <list>
#include <memory>
#include <optional>

#include "character_data.h"
#include "clock.h"
#include "presenter.h"
#include "request.h"
#include "speak_style.h"
#include "speech.h"

namespace character {

// One call made on a character, as the engine received it (for tools and tests).
struct CallRecord {
  QString characterId;
  QString operation;  // "MoveTo", "Show", "Hide", "Play", "Speak", "Think", "Wait", "Stop",
                      // "Height", "Width"
  QStringList arguments;
  Request request;  // what the call returned (empty for Stop, Height, Width)
  Request awaited;  // for Wait: the request waited on
};

struct Action;
struct CharacterState;

// The heart of the character component: a FIFO of actions per character, played on the clock it
// is given. Nothing here blocks: the driver calls update() whenever nextWakeMs() comes due or
// the wake listener fires.
class Engine {
 public:
  // Frame-animated moves go at this speed; a hidden character jumps.
  static constexpr int kMovePixelsPerSecond = 500;
  static constexpr int kMoveStepMs = 40;
  // A thought stays this long, plus kThoughtMsPerChar per non-blank character, up to kThoughtMaxMs.
  static constexpr int kThoughtBaseMs = 2000;
  static constexpr int kThoughtMsPerChar = 150;
  static constexpr int kThoughtMaxMs = 8000;
  // A speech balloon stays this long after the last word.
  static constexpr int kSpeechHoldMs = 1000;
  // Speech is prepared this many Speak actions ahead per character, looking only this many
  // queued actions ahead: a Speak further back is prepared later, when a Speak starts or is
  // queued while it is near the front, and at the latest when it starts. So queuing one behind
  // millions of other actions (the closing scene of a long lesson) does not go through them all.
  static constexpr int kSpeakLookahead = 3;
  static constexpr int kSpeakLookaheadActions = 64;

  Engine(Clock& clock, Presenter& presenter, SpeechService& speech);
  ~Engine();
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  CharacterState& addCharacter(CharacterData data);
  void removeCharacter(CharacterState& character);

  Request moveTo(CharacterState& character, int x, int y);
  Request show(CharacterState& character);
  Request hide(CharacterState& character);
  Request play(CharacterState& character, const QString& animation);  // throws on unknown name
  Request speak(CharacterState& character, const QString& text, const SpeakStyle& style = {});
  Request think(CharacterState& character, const QString& text);
  Request wait(CharacterState& character, const Request& other);  // throws on an empty request
  void stop(CharacterState& character);
  void setSize(CharacterState& character, int width, int height);

  const CharacterData& data(const CharacterState& character) const;
  QRect frame(const CharacterState& character) const;
  bool isVisible(const CharacterState& character) const;
  std::size_t queuedActions(const CharacterState& character) const;

  // The pace of every Speak queued from now on without a pace of its own (1: the voices' own).
  void setSpeechPace(double pace) { speechPace_ = pace; }
  double speechPace() const { return speechPace_; }

  // Plays everything that is due at the clock's current time.
  void update();
  // When update() must run next, if anything is scheduled.
  std::optional<std::int64_t> nextWakeMs() const;
  // True while no character has anything to do but loop its animation: nothing queued or
  // playing, nothing said, no balloon shown. Its next frame may then come a little late.
  bool resting() const;
  // Called whenever something new may need an earlier update (a call queued an action, speech
  // became ready).
  void setWakeListener(std::function<void()> listener) { wakeListener_ = std::move(listener); }
  void setCallObserver(std::function<void(const CallRecord&)> observer) {
    callObserver_ = std::move(observer);
  }

  // Advances a virtual clock through every wake-up until `untilMs`, updating at each.
  void runUntil(VirtualClock& clock, std::int64_t untilMs);

 private:
  // Makes the arguments a call is reported with; called only while a call observer is set, so
  // that calls made with none set build no strings. Empty for a call without arguments.
  using CallArguments = std::function<QStringList()>;

  // Queues `action` and reports it to the call observer as `operation` with its arguments.
  Request enqueue(CharacterState& character, Action action, const QString& operation,
                  const CallArguments& arguments = {});
  void record(const CharacterState& character, const QString& operation,
              const CallArguments& arguments, const Request& request, const Request& awaited = {});
  void wake();
  void interruptAll(CharacterState& character);

  bool stepQueue(CharacterState& character, std::int64_t now);
  void startNext(CharacterState& character, std::int64_t now);
  bool advanceRunning(CharacterState& character, std::int64_t now);
  void finishRunning(CharacterState& character, RequestStatus status, std::int64_t now);
  void playOnce(CharacterState& character, const QString& name, std::int64_t now);
  void startMove(CharacterState& character, std::int64_t now);
  void moveAlong(CharacterState& character, std::int64_t now);
  void startThought(CharacterState& character, std::int64_t now);
  void startSpeech(CharacterState& character, std::int64_t now);
  void makeVisible(CharacterState& character);
  void setPosition(CharacterState& character, QPoint position);

  void beginAnimation(CharacterState& character, const Animation* animation, std::int64_t now,
                      bool loop);
  void advanceAnimation(CharacterState& character, std::int64_t now);
  MouthShape mouthAt(const CharacterState& character, std::int64_t now) const;
  void updateSpeech(CharacterState& character, std::int64_t now);
  void updateBalloon(CharacterState& character, std::int64_t now);
  void showBalloonText(CharacterState& character);
  void hideBalloon(CharacterState& character);
  void presentPose(CharacterState& character);
  void prepareSpeechAhead(CharacterState& character);
  std::optional<std::int64_t> nextWake(const CharacterState& character) const;

  Clock& clock_;
  Presenter& presenter_;
  SpeechService& speech_;
  std::list<std::unique_ptr<CharacterState>> characters_;
  std::function<void()> wakeListener_;
  std::function<void(const CallRecord&)> callObserver_;
  double speechPace_ = 1.0;
  // Lets speech callbacks that outlive the engine see that it is gone.
  std::shared_ptr<int> alive_;
};

}  // namespace character
