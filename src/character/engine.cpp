// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine.h"

#include <QLineF>
#include <algorithm>
#include <cmath>

#include "agent_error.h"
#include "base/words.h"
#include "engine_state.h"

namespace character {

namespace {

int thoughtDurationMs(const QString& text) {
  const auto visibleChars =
      std::count_if(text.begin(), text.end(), [](QChar c) { return !base::isBlank(c); });
  const qint64 ms = Engine::kThoughtBaseMs + Engine::kThoughtMsPerChar * visibleChars;
  return static_cast<int>(std::min<qint64>(ms, Engine::kThoughtMaxMs));
}

void earliest(std::optional<std::int64_t>& current, std::int64_t candidate) {
  if (!current || candidate < *current) current = candidate;
}

}  // namespace

Engine::Engine(Clock& clock, Presenter& presenter, SpeechService& speech)
    : clock_(clock), presenter_(presenter), speech_(speech), alive_(std::make_shared<int>(0)) {}

Engine::~Engine() {
  while (!characters_.empty()) removeCharacter(*characters_.front());
}

CharacterState& Engine::addCharacter(CharacterData data) {
  auto state = std::make_unique<CharacterState>();
  state->data = std::move(data);
  state->frame = QRect(0, 0, state->data.width, state->data.height);
  CharacterState& character = *state;
  characters_.push_back(std::move(state));
  presenter_.addCharacter(character.data.id, character.data);
  presenter_.setGeometry(character.data.id, character.frame);
  presenter_.setVisible(character.data.id, false);
  beginAnimation(character, character.data.findAnimation(animation_names::kRest), clock_.nowMs(),
                 true);
  return character;
}

void Engine::removeCharacter(CharacterState& character) {
  interruptAll(character);
  presenter_.removeCharacter(character.data.id);
  characters_.remove_if([&](const auto& state) { return state.get() == &character; });
  wake();
}

Request Engine::moveTo(CharacterState& character, int x, int y) {
  Action action;
  action.kind = ActionKind::MoveTo;
  action.target = QPoint(x, y);
  return enqueue(character, std::move(action), QStringLiteral("MoveTo"), [x, y] {
    return QStringList{QString::number(x), QString::number(y)};
  });
}

Request Engine::show(CharacterState& character) {
  Action action;
  action.kind = ActionKind::Show;
  return enqueue(character, std::move(action), QStringLiteral("Show"));
}

Request Engine::hide(CharacterState& character) {
  Action action;
  action.kind = ActionKind::Hide;
  return enqueue(character, std::move(action), QStringLiteral("Hide"));
}

Request Engine::play(CharacterState& character, const QString& animation) {
  const Animation* found = character.data.findAnimation(animation);
  if (!found) {
    throw AgentError(
        QStringLiteral("%1: no animation named \"%2\"").arg(character.data.id, animation));
  }
  Action action;
  action.kind = ActionKind::Play;
  action.animation = found;
  return enqueue(character, std::move(action), QStringLiteral("Play"),
                 [&animation] { return QStringList{animation}; });
}

Request Engine::speak(CharacterState& character, const QString& text, const SpeakStyle& style) {
  Action action;
  action.kind = ActionKind::Speak;
  action.text = text;
  action.pace = static_cast<float>(style.pace.value_or(speechPace_));
  if (!style.note.isEmpty()) action.noted = std::make_shared<const SpeakStyle>(style);
  Request request = enqueue(character, std::move(action), QStringLiteral("Speak"), [&] {
    QStringList arguments{text};
    if (style.pace) arguments << QString::number(*style.pace);
    if (!style.note.isEmpty()) arguments << style.note;
    return arguments;
  });
  prepareSpeechAhead(character);
  return request;
}

Request Engine::think(CharacterState& character, const QString& text) {
  Action action;
  action.kind = ActionKind::Think;
  action.text = text;
  return enqueue(character, std::move(action), QStringLiteral("Think"),
                 [&text] { return QStringList{text}; });
}

Request Engine::wait(CharacterState& character, const Request& other) {
  if (other.isNull()) {
    throw AgentError(QStringLiteral("%1: Wait needs a request to wait for").arg(character.data.id));
  }
  Action action;
  action.kind = ActionKind::Wait;
  action.awaited = other;
  return enqueue(character, std::move(action), QStringLiteral("Wait"));
}

void Engine::stop(CharacterState& character) {
  record(character, QStringLiteral("Stop"), {}, {});
  interruptAll(character);
  wake();
}

void Engine::interruptAll(CharacterState& character) {
  const std::int64_t now = clock_.nowMs();
  if (character.running) finishRunning(character, RequestStatus::Interrupted, now);
  for (Action& action : character.queue) action.request.setStatus(RequestStatus::Interrupted);
  character.queue.clear();
  speech_.stop(character.data.id);
  character.speech.reset();
  character.mouth = MouthShape::Closed;
  hideBalloon(character);
  beginAnimation(character, character.data.findAnimation(animation_names::kRest), now, true);
}

void Engine::setSize(CharacterState& character, int width, int height) {
  if (width != character.frame.width()) {
    record(character, QStringLiteral("Width"),
           [width] { return QStringList{QString::number(width)}; }, {});
  }
  if (height != character.frame.height()) {
    record(character, QStringLiteral("Height"),
           [height] { return QStringList{QString::number(height)}; }, {});
  }
  character.frame.setSize(QSize(width, height));
  presenter_.setGeometry(character.data.id, character.frame);
}

const CharacterData& Engine::data(const CharacterState& character) const {
  return character.data;
}
QRect Engine::frame(const CharacterState& character) const {
  return character.frame;
}
bool Engine::isVisible(const CharacterState& character) const {
  return character.visible;
}
std::size_t Engine::queuedActions(const CharacterState& character) const {
  return character.queue.size() + (character.running ? 1 : 0);
}

Request Engine::enqueue(CharacterState& character, Action action, const QString& operation,
                        const CallArguments& arguments) {
  action.request = Request::make();
  const Request request = action.request;
  const Request awaited = action.awaited;
  character.queue.push_back(std::move(action));
  record(character, operation, arguments, request, awaited);
  wake();
  return request;
}

void Engine::record(const CharacterState& character, const QString& operation,
                    const CallArguments& arguments, const Request& request,
                    const Request& awaited) {
  if (!callObserver_) return;
  callObserver_(CallRecord{character.data.id, operation, arguments ? arguments() : QStringList{},
                           request, awaited});
}

void Engine::wake() {
  if (wakeListener_) wakeListener_();
}

void Engine::update() {
  const std::int64_t now = clock_.nowMs();
  // A finished request may release a character that was already looked at: go round until no
  // character can make progress.
  bool progress = true;
  while (progress) {
    progress = false;
    for (auto& character : characters_) progress |= stepQueue(*character, now);
  }
  for (auto& character : characters_) {
    advanceAnimation(*character, now);
    updateSpeech(*character, now);
    updateBalloon(*character, now);
  }
}

bool Engine::stepQueue(CharacterState& character, std::int64_t now) {
  bool progress = false;
  for (;;) {
    if (character.running) {
      if (!advanceRunning(character, now)) return progress;
    } else if (!character.queue.empty()) {
      startNext(character, now);
    } else {
      return progress;
    }
    progress = true;
  }
}

void Engine::startNext(CharacterState& character, std::int64_t now) {
  character.running = std::move(character.queue.front());
  character.queue.pop_front();
  character.running->request.setStatus(RequestStatus::Running);
  character.runningSinceMs = now;
  character.runningUntilMs = now;
  Action& action = *character.running;
  switch (action.kind) {
    case ActionKind::MoveTo:
      startMove(character, now);
      break;
    case ActionKind::Show:
      if (!character.visible) {
        makeVisible(character);
        playOnce(character, animation_names::kShowing, now);
      }
      break;
    case ActionKind::Hide:
      if (character.visible) {
        hideBalloon(character);
        playOnce(character, animation_names::kHiding, now);
      }
      break;
    case ActionKind::Play:
      makeVisible(character);
      beginAnimation(character, action.animation, now, false);
      character.runningUntilMs = now + action.animation->totalMs();
      break;
    case ActionKind::Speak:
      makeVisible(character);
      prepareSpeechAhead(character);
      character.runningUntilMs.reset();
      break;
    case ActionKind::Think:
      makeVisible(character);
      startThought(character, now);
      break;
    case ActionKind::Wait:
      character.runningUntilMs.reset();
      break;
  }
}

void Engine::playOnce(CharacterState& character, const QString& name, std::int64_t now) {
  const Animation* animation = character.data.findAnimation(name);
  beginAnimation(character, animation, now, false);
  character.runningUntilMs = now + (animation ? animation->totalMs() : 0);
}

void Engine::startMove(CharacterState& character, std::int64_t now) {
  const QPoint target = character.running->target;
  character.moveFrom = character.frame.topLeft();
  const double distance = QLineF(character.moveFrom, target).length();
  if (!character.visible || distance < 1) {
    setPosition(character, target);
    return;
  }
  character.runningUntilMs = now + std::llround(distance * 1000 / kMovePixelsPerSecond);
  beginAnimation(character, character.data.findAnimation(animation_names::kMoving), now, true);
}

void Engine::startThought(CharacterState& character, std::int64_t now) {
  const QString& text = character.running->text;
  character.runningUntilMs = now + thoughtDurationMs(text);
  beginAnimation(character, character.data.findAnimation(animation_names::kThinking), now, true);
  character.balloon =
      BalloonState{true, BalloonKind::Thought, text, {}, 0, character.runningUntilMs, 0, {}};
  presenter_.showBalloon(character.data.id, BalloonKind::Thought, text, text);
}

void Engine::startSpeech(CharacterState& character, std::int64_t now) {
  Action& action = *character.running;
  character.speech = action.speech;
  character.speechSinceMs = now;
  const Utterance& utterance = character.speech->utterance();
  character.runningUntilMs = now + utterance.durationMs;
  speech_.play(character.data.id, character.speech);
  beginAnimation(character, character.data.findAnimation(animation_names::kSpeaking), now, true);
  // A speech service may time more or fewer words than the text has; updateSpeech() reveals no
  // word beyond either list.
  std::vector<qsizetype> ends = base::wordEnds(action.text);
  if (ends.empty()) return;
  const QString note = action.noted ? action.noted->note + QLatin1Char('\n') : QString();
  for (qsizetype& end : ends) end += note.size();
  const QString fullText = note + action.text;
  std::vector<MarkedRange> marked;
  if (action.noted) marked = action.noted->marked;
  character.balloon = BalloonState{true, BalloonKind::Speech, fullText,    std::move(ends),
                                   0,    std::nullopt,        note.size(), std::move(marked)};
  showBalloonText(character);
}

bool Engine::advanceRunning(CharacterState& character, std::int64_t now) {
  Action& action = *character.running;
  if (action.kind == ActionKind::Wait) {
    if (!action.awaited.isFinished()) return false;
    finishRunning(character, RequestStatus::Done, now);
    return true;
  }
  if (action.kind == ActionKind::Speak && !character.runningUntilMs) {
    if (!action.speech || !action.speech->ready()) return false;
    if (action.speech->failed()) {
      finishRunning(character, RequestStatus::Failed, now);
      return true;
    }
    startSpeech(character, now);
  }
  if (action.kind == ActionKind::MoveTo) moveAlong(character, now);
  if (now < *character.runningUntilMs) return false;
  finishRunning(character, RequestStatus::Done, now);
  return true;
}

void Engine::moveAlong(CharacterState& character, std::int64_t now) {
  const QPoint target = character.running->target;
  const std::int64_t total = *character.runningUntilMs - character.runningSinceMs;
  if (now >= *character.runningUntilMs || total <= 0) {
    setPosition(character, target);
    return;
  }
  const double done = double(now - character.runningSinceMs) / double(total);
  const QPoint from = character.moveFrom;
  setPosition(character, QPoint(from.x() + std::lround((target.x() - from.x()) * done),
                                from.y() + std::lround((target.y() - from.y()) * done)));
}

void Engine::finishRunning(CharacterState& character, RequestStatus status, std::int64_t now) {
  Action action = std::move(*character.running);
  character.running.reset();
  if (action.kind == ActionKind::Hide && status == RequestStatus::Done && character.visible) {
    character.visible = false;
    presenter_.setVisible(character.data.id, false);
  }
  if (action.kind == ActionKind::Speak && character.speech) {
    if (status == RequestStatus::Done && character.balloon.shown) {
      character.balloon.revealedWords = int(character.balloon.wordEnds.size());
      const int holdMs = action.noted
                             ? std::max(kSpeechHoldMs, thoughtDurationMs(action.noted->note))
                             : kSpeechHoldMs;
      character.balloon.hideAtMs = now + holdMs;
      showBalloonText(character);
    }
    character.speech.reset();
    character.mouth = MouthShape::Closed;
  }
  if (action.kind == ActionKind::Think) hideBalloon(character);
  action.request.setStatus(status);
  if (action.kind != ActionKind::Wait || character.animation == nullptr) {
    beginAnimation(character, character.data.findAnimation(animation_names::kRest), now, true);
  }
}

void Engine::makeVisible(CharacterState& character) {
  if (character.visible) return;
  character.visible = true;
  presenter_.setGeometry(character.data.id, character.frame);
  presenter_.setVisible(character.data.id, true);
}

void Engine::setPosition(CharacterState& character, QPoint position) {
  if (character.frame.topLeft() == position) return;
  character.frame.moveTopLeft(position);
  presenter_.setGeometry(character.data.id, character.frame);
}

void Engine::beginAnimation(CharacterState& character, const Animation* animation, std::int64_t now,
                            bool loop) {
  character.animation = animation;
  character.frameIndex = 0;
  character.frameSinceMs = now;
  character.loopAnimation = loop;
  presentPose(character);
}

void Engine::advanceAnimation(CharacterState& character, std::int64_t now) {
  const Animation* animation = character.animation;
  if (!animation || animation->frames.empty()) return;
  const int before = character.frameIndex;
  const int last = int(animation->frames.size()) - 1;
  for (;;) {
    const int duration = animation->frames[character.frameIndex].durationMs;
    if (duration <= 0 || character.frameSinceMs + duration > now) break;
    if (character.frameIndex == last && !character.loopAnimation) break;
    character.frameSinceMs += duration;
    character.frameIndex = character.frameIndex == last ? 0 : character.frameIndex + 1;
  }
  if (character.frameIndex != before) presentPose(character);
}

MouthShape Engine::mouthAt(const CharacterState& character, std::int64_t now) const {
  if (!character.speech) return MouthShape::Closed;
  const std::int64_t into = now - character.speechSinceMs;
  MouthShape shape = MouthShape::Closed;
  for (const MouthCue& cue : character.speech->utterance().mouth) {
    if (cue.startMs > into) break;
    shape = cue.shape;
  }
  return shape;
}

void Engine::updateSpeech(CharacterState& character, std::int64_t now) {
  if (!character.speech) return;
  const std::int64_t into = now - character.speechSinceMs;
  const auto& words = character.speech->utterance().words;
  const int timedTextWords = int(std::min(words.size(), character.balloon.wordEnds.size()));
  int revealed = 0;
  while (revealed < timedTextWords && words[revealed].startMs <= into) ++revealed;
  if (revealed != character.balloon.revealedWords) {
    character.balloon.revealedWords = revealed;
    showBalloonText(character);
  }
  const MouthShape mouth = mouthAt(character, now);
  if (mouth != character.mouth) {
    character.mouth = mouth;
    presentPose(character);
  }
}

void Engine::updateBalloon(CharacterState& character, std::int64_t now) {
  if (character.balloon.shown && character.balloon.hideAtMs && now >= *character.balloon.hideAtMs) {
    hideBalloon(character);
  }
}

void Engine::showBalloonText(CharacterState& character) {
  const BalloonState& balloon = character.balloon;
  const qsizetype visibleLength = balloon.revealedWords == 0
                                      ? balloon.shownFromStart
                                      : balloon.wordEnds[balloon.revealedWords - 1];
  const QString visibleText = balloon.fullText.left(visibleLength);
  if (balloon.marked.empty()) {
    presenter_.showBalloon(character.data.id, balloon.kind, balloon.fullText, visibleText);
  } else {
    presenter_.showMarkedBalloon(character.data.id, balloon.kind, balloon.fullText, visibleText,
                                 balloon.marked);
  }
}

void Engine::hideBalloon(CharacterState& character) {
  if (!character.balloon.shown) return;
  character.balloon = BalloonState{};
  presenter_.hideBalloon(character.data.id);
}

void Engine::presentPose(CharacterState& character) {
  Pose pose;
  pose.animation = character.animation;
  pose.frameIndex = character.frameIndex;
  pose.speaking = character.speech != nullptr;
  pose.mouth = character.mouth;
  presenter_.setPose(character.data.id, pose);
}

void Engine::prepareSpeechAhead(CharacterState& character) {
  int prepared = 0;
  auto prepare = [&](Action& action) {
    if (action.kind != ActionKind::Speak || prepared >= kSpeakLookahead) return;
    ++prepared;
    if (action.speech) return;
    std::weak_ptr<int> alive = alive_;
    auto wakeWhileAlive = [this, alive] {
      if (alive.lock()) wake();
    };
    action.speech = speech_.prepare(character.data, action.text, wakeWhileAlive, action.pace);
  };
  if (character.running) prepare(*character.running);
  const std::size_t ahead = std::min<std::size_t>(character.queue.size(), kSpeakLookaheadActions);
  for (std::size_t index = 0; index < ahead && prepared < kSpeakLookahead; ++index) {
    prepare(character.queue[index]);
  }
}

std::optional<std::int64_t> Engine::nextWake(const CharacterState& character) const {
  std::optional<std::int64_t> next;
  if (!character.running && !character.queue.empty()) earliest(next, clock_.nowMs());
  if (character.running && character.runningUntilMs) {
    const bool moving = character.running->kind == ActionKind::MoveTo;
    earliest(next, moving ? std::min(*character.runningUntilMs, clock_.nowMs() + kMoveStepMs)
                          : *character.runningUntilMs);
  }
  const Animation* animation = character.animation;
  const bool animating = character.visible && animation && animation->frames.size() > 1;
  const bool lastFrame = animation && character.frameIndex == int(animation->frames.size()) - 1;
  if (animating && (character.loopAnimation || !lastFrame)) {
    earliest(next, character.frameSinceMs + animation->frames[character.frameIndex].durationMs);
  }
  if (character.speech) {
    const std::int64_t into = clock_.nowMs() - character.speechSinceMs;
    for (const WordTiming& word : character.speech->utterance().words) {
      if (word.startMs > into) {
        earliest(next, character.speechSinceMs + word.startMs);
        break;
      }
    }
    for (const MouthCue& cue : character.speech->utterance().mouth) {
      if (cue.startMs > into) {
        earliest(next, character.speechSinceMs + cue.startMs);
        break;
      }
    }
  }
  if (character.balloon.shown && character.balloon.hideAtMs) {
    earliest(next, *character.balloon.hideAtMs);
  }
  return next;
}

std::optional<std::int64_t> Engine::nextWakeMs() const {
  std::optional<std::int64_t> next;
  for (const auto& character : characters_) {
    if (auto wake = nextWake(*character)) earliest(next, *wake);
  }
  return next;
}

bool Engine::resting() const {
  return std::all_of(characters_.begin(), characters_.end(), [](const auto& character) {
    return !character->running && character->queue.empty() && !character->speech &&
           !character->balloon.shown;
  });
}

void Engine::runUntil(VirtualClock& clock, std::int64_t untilMs) {
  update();
  for (auto next = nextWakeMs(); next && *next <= untilMs; next = nextWakeMs()) {
    clock.set(std::max(*next, clock.nowMs()));
    update();
  }
  clock.set(std::max(untilMs, clock.nowMs()));
  update();
}

}  // namespace character
