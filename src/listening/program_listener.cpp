// SPDX-License-Identifier: GPL-3.0-or-later
#include "program_listener.h"

#include <QMetaObject>
#include <QObject>
#include <QTimer>
#include <utility>

#include "listening_log.h"
#include "listening_module_loader.h"

namespace listening {

namespace {

// A reading that cannot be scored: it says so from the event loop, unless destroyed first.
class UnscorableReading : public Reading {
 public:
  explicit UnscorableReading(std::function<void(ReadingProblem)> failed) {
    QMetaObject::invokeMethod(
        &context_,
        [failed = std::move(failed)] {
          if (failed) failed(ReadingProblem::ScoringFailed);
        },
        Qt::QueuedConnection);
  }

 private:
  QObject context_;
};

// The module's listener, made on the first reading. While the module cannot be loaded, each
// reading logs why and reports ScoringFailed; the next one tries again.
class ModuleListener : public Listener {
 public:
  explicit ModuleListener(const QString& programFolder) : module_(programFolder) {}

  std::unique_ptr<Reading> listen(const QString& sentence, ReadingCallbacks callbacks) override {
    if (!listener_) listener_ = moduleListener();
    if (!listener_) return std::make_unique<UnscorableReading>(std::move(callbacks.failed));
    return listener_->listen(sentence, std::move(callbacks));
  }

  std::unique_ptr<Playback> play(const RecordedSound& sound,
                                 std::function<void()> finished) override {
    if (!listener_) listener_ = moduleListener();
    if (listener_) return listener_->play(sound, std::move(finished));
    QTimer::singleShot(0, [finished = std::move(finished)] {
      if (finished) finished();
    });
    return nullptr;
  }

 private:
  std::unique_ptr<Listener> moduleListener() {
    QString error;
    const CreateListenerFunction create = module_.createListener(error);
    Listener* made = create ? create() : nullptr;
    if (create && !made) error = QStringLiteral("the listening module did not start");
    if (!made) qCWarning(lcListening, "cannot listen: %s", qUtf8Printable(error));
    return std::unique_ptr<Listener>(made);
  }

  ListeningModuleLoader module_;
  std::unique_ptr<Listener> listener_;  // made by the module, so destroyed before it
};

}  // namespace

std::unique_ptr<Listener> createProgramListener(const QString& programFolder) {
  return std::make_unique<ModuleListener>(programFolder);
}

}  // namespace listening
