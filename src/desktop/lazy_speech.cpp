// SPDX-License-Identifier: GPL-3.0-or-later
#include "lazy_speech.h"

#include <QMetaObject>
#include <QTimer>
#include <utility>

#include "base/guarded_run.h"
#include "desktop_log.h"
#include "speech/speech_module.h"

namespace character {

// Speech asked for before the service existed: it is ready once the service's own speech is.
class PendingSpeech : public PreparedSpeech {
 public:
  bool ready() const override { return made_ && made_->ready(); }
  bool failed() const override { return made_ && made_->failed(); }
  const Utterance& utterance() const override { return made_->utterance(); }
  const std::shared_ptr<PreparedSpeech>& made() const { return made_; }
  void madeBy(SpeechService& service, const CharacterData& speaker, const QString& text,
              std::function<void()> onReady, double pace) {
    made_ = service.prepare(speaker, text, std::move(onReady), pace);
  }

 private:
  std::shared_ptr<PreparedSpeech> made_;
};

namespace {

// The speaker as speech needs it, kept while the service is loading: who, and in which voices.
CharacterData voicesOf(const CharacterData& speaker) {
  CharacterData voices;
  voices.id = speaker.id;
  voices.displayName = speaker.displayName;
  voices.voice = speaker.voice;
  voices.chineseVoice = speaker.chineseVoice;
  return voices;
}

}  // namespace

LazySpeech::LazySpeech(QString modulePath) : module_(std::move(modulePath)) {
  QTimer::singleShot(0, &uiThread_, [this] { startLoading(); });
}

LazySpeech::~LazySpeech() {
  if (loading_.valid()) loading_.wait();
}

void LazySpeech::startLoading() {
  if (loading_.valid() || service_) return;
  loading_ = std::async(std::launch::async, [this] {
    const bool read = module_.load();
    QMetaObject::invokeMethod(
        &uiThread_, [this] { onModuleLoaded(); }, Qt::QueuedConnection);
    return read;
  });
}

void LazySpeech::onModuleLoaded() {
  base::runGuarded([this] { service(); }, base::logFailure(lcSpeechLoading, "starting speech"));
}

SpeechService& LazySpeech::service() {
  if (!service_) makeService();
  return *service_;
}

void LazySpeech::makeService() {
  startLoading();
  SpeechService* made = nullptr;
  QString problem;
  if (loading_.get()) {
    const auto create =
        reinterpret_cast<CreateSpeechServiceFunction>(module_.entry(kSpeechModuleEntry, problem));
    made = create ? create() : nullptr;
    if (create && !made) problem = QStringLiteral("the speech module did not start");
  } else {
    problem = module_.error();
  }
  if (made) {
    service_.reset(made);
  } else {
    qCWarning(lcSpeechLoading, "%s; the characters speak silently", qUtf8Printable(problem));
    service_ = std::make_unique<TimedSpeech>();
  }
  for (Waiting& waiting : std::exchange(waiting_, {})) {
    if (const auto speech = waiting.speech.lock()) {
      speech->madeBy(*service_, waiting.speaker, waiting.text, std::move(waiting.onReady),
                     waiting.pace);
    }
  }
}

std::shared_ptr<PreparedSpeech> LazySpeech::prepare(const CharacterData& speaker,
                                                    const QString& text,
                                                    std::function<void()> onReady, double pace) {
  if (service_) return service_->prepare(speaker, text, std::move(onReady), pace);
  auto speech = std::make_shared<PendingSpeech>();
  waiting_.push_back({speech, voicesOf(speaker), text, std::move(onReady), pace});
  return speech;
}

void LazySpeech::play(const QString& channel, const std::shared_ptr<PreparedSpeech>& speech) {
  if (!service_) return;  // nothing is ready before the service exists
  const auto* pending = dynamic_cast<const PendingSpeech*>(speech.get());
  service_->play(channel, pending ? pending->made() : speech);
}

void LazySpeech::stop(const QString& channel) {
  if (service_) service_->stop(channel);
}

}  // namespace character
