// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <future>
#include <memory>
#include <vector>

#include "base/program_module.h"
#include "character/speech.h"

namespace character {

class PendingSpeech;

// The program's speech, loaded from the speech module once the event loop runs: the module is
// read on a worker thread, so the toolbar shows without waiting for the synthesisers and the
// sound output. Until the service is there, prepare() hands out speech that is not ready yet and
// is passed on to the service as soon as it exists. When the module cannot be loaded, a message
// goes to stderr and the characters speak silently, at the pace of reading aloud.
class LazySpeech : public SpeechService {
 public:
  // `modulePath`: the speech module's file. Loading starts when the event loop next runs.
  explicit LazySpeech(QString modulePath);
  ~LazySpeech() override;

  std::shared_ptr<PreparedSpeech> prepare(const CharacterData& speaker, const QString& text,
                                          std::function<void()> onReady,
                                          double pace = 1.0) override;
  void play(const QString& channel, const std::shared_ptr<PreparedSpeech>& speech) override;
  void stop(const QString& channel) override;

  // Waits until the service is made (for tests and for a call that needs it at once).
  SpeechService& service();

 private:
  struct Waiting {
    std::weak_ptr<PendingSpeech> speech;
    CharacterData speaker;
    QString text;
    std::function<void()> onReady;
    double pace = 1.0;
  };

  void startLoading();
  void onModuleLoaded();
  void makeService();

  base::ProgramModule module_;
  std::future<bool> loading_;  // whether the module was loaded
  std::unique_ptr<SpeechService> service_;
  std::vector<Waiting> waiting_;
  QObject uiThread_;  // queued calls to the thread that made the service
};

}  // namespace character
