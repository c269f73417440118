// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "mixer.h"

struct pa_context;
struct pa_stream;
struct pa_threaded_mainloop;

namespace character {

// A playback stream to the sound server that reads the mixer on the sound client's own thread
// whenever the server asks for more: a clip's first frame leaves the mixer within one request
// period of play(), whatever the UI thread is doing. Corked, the server asks for nothing and the
// stream wakes nobody.
class PulseStream {
 public:
  // The stream's buffer: what the server keeps queued, and how little it asks for at a time.
  static constexpr int kBufferMs = 30;
  static constexpr int kRequestMs = 5;

  // Connects and opens the stream; nullptr, with the reason in `failure`, when there is no
  // server or it refuses the stream. `onFailure` runs later on `receiver`'s thread if the server
  // goes away or the stream fails.
  static std::unique_ptr<PulseStream> open(Mixer& mixer, QObject* receiver,
                                           std::function<void()> onFailure, QString* failure);
  ~PulseStream();

  void setCorked(bool corked);
  bool corked() const { return corked_; }

 private:
  PulseStream(Mixer& mixer, QObject* receiver, std::function<void()> onFailure);
  QString connectToServer();
  QString connectStream();
  void reportFailure();

  static void onContextState(pa_context* context, void* self);
  static void onStreamState(pa_stream* stream, void* self);
  static void onWritable(pa_stream* stream, size_t bytes, void* self);

  Mixer& mixer_;
  QObject* receiver_;
  std::function<void()> onFailure_;
  pa_threaded_mainloop* mainloop_ = nullptr;
  pa_context* context_ = nullptr;
  pa_stream* stream_ = nullptr;
  bool ready_ = false;
  bool corked_ = false;
};

}  // namespace character
