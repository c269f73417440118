// SPDX-License-Identifier: GPL-3.0-or-later
#include "pulse_stream.h"

#include <pulse/pulseaudio.h>

#include <cstdint>

namespace character {

namespace {

constexpr pa_sample_spec kMixerFormat{PA_SAMPLE_S16NE, kMixerSampleRate, 1};

QString errorOf(pa_context* context) {
  return QString::fromUtf8(pa_strerror(pa_context_errno(context)));
}

// Waits, lock held, for the sound client's thread to make `settled` true.
template <typename Settled>
void waitUntil(pa_threaded_mainloop* mainloop, Settled settled) {
  while (!settled()) pa_threaded_mainloop_wait(mainloop);
}

}  // namespace

PulseStream::PulseStream(Mixer& mixer, QObject* receiver, std::function<void()> onFailure)
    : mixer_(mixer), receiver_(receiver), onFailure_(std::move(onFailure)) {}

std::unique_ptr<PulseStream> PulseStream::open(Mixer& mixer, QObject* receiver,
                                               std::function<void()> onFailure, QString* failure) {
  std::unique_ptr<PulseStream> stream(new PulseStream(mixer, receiver, std::move(onFailure)));
  stream->mainloop_ = pa_threaded_mainloop_new();
  if (!stream->mainloop_ || pa_threaded_mainloop_start(stream->mainloop_) < 0) {
    *failure = QStringLiteral("the sound client could not start");
    return nullptr;
  }
  pa_threaded_mainloop_lock(stream->mainloop_);
  QString reason = stream->connectToServer();
  if (reason.isEmpty()) reason = stream->connectStream();
  stream->ready_ = reason.isEmpty();
  pa_threaded_mainloop_unlock(stream->mainloop_);
  if (!reason.isEmpty()) {
    *failure = reason;
    return nullptr;
  }
  return stream;
}

PulseStream::~PulseStream() {
  if (mainloop_) pa_threaded_mainloop_stop(mainloop_);
  if (stream_) {
    pa_stream_disconnect(stream_);
    pa_stream_unref(stream_);
  }
  if (context_) {
    pa_context_disconnect(context_);
    pa_context_unref(context_);
  }
  if (mainloop_) pa_threaded_mainloop_free(mainloop_);
}

QString PulseStream::connectToServer() {
  context_ = pa_context_new(pa_threaded_mainloop_get_api(mainloop_), "chengmu");
  if (!context_) return QStringLiteral("the sound client could not start");
  pa_context_set_state_callback(context_, &PulseStream::onContextState, this);
  if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
    return QStringLiteral("no sound server (%1)").arg(errorOf(context_));
  }
  waitUntil(mainloop_, [this] {
    const pa_context_state_t state = pa_context_get_state(context_);
    return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
  });
  return pa_context_get_state(context_) == PA_CONTEXT_READY
             ? QString()
             : QStringLiteral("no sound server (%1)").arg(errorOf(context_));
}

QString PulseStream::connectStream() {
  stream_ = pa_stream_new(context_, "speech", &kMixerFormat, nullptr);
  if (!stream_)
    return QStringLiteral("the sound server refused a stream (%1)").arg(errorOf(context_));
  pa_stream_set_state_callback(stream_, &PulseStream::onStreamState, this);
  pa_stream_set_write_callback(stream_, &PulseStream::onWritable, this);
  pa_buffer_attr buffer{};
  buffer.maxlength = static_cast<std::uint32_t>(-1);
  buffer.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(kBufferMs * 1000, &kMixerFormat));
  buffer.prebuf = static_cast<std::uint32_t>(-1);
  buffer.minreq = static_cast<std::uint32_t>(pa_usec_to_bytes(kRequestMs * 1000, &kMixerFormat));
  buffer.fragsize = static_cast<std::uint32_t>(-1);
  if (pa_stream_connect_playback(stream_, nullptr, &buffer, PA_STREAM_ADJUST_LATENCY, nullptr,
                                 nullptr) < 0) {
    return QStringLiteral("the sound output did not open (%1)").arg(errorOf(context_));
  }
  waitUntil(mainloop_, [this] {
    const pa_stream_state_t state = pa_stream_get_state(stream_);
    return state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state);
  });
  return pa_stream_get_state(stream_) == PA_STREAM_READY
             ? QString()
             : QStringLiteral("the sound output did not open (%1)").arg(errorOf(context_));
}

void PulseStream::setCorked(bool corked) {
  if (corked == corked_) return;
  corked_ = corked;
  pa_threaded_mainloop_lock(mainloop_);
  if (pa_operation* operation = pa_stream_cork(stream_, corked ? 1 : 0, nullptr, nullptr)) {
    pa_operation_unref(operation);
  }
  pa_threaded_mainloop_unlock(mainloop_);
}

// On the sound client's thread, lock held: once the stream is up, a failure is told once, on the
// receiver's thread.
void PulseStream::reportFailure() {
  if (!ready_) return;
  ready_ = false;
  QMetaObject::invokeMethod(receiver_, onFailure_, Qt::QueuedConnection);
}

void PulseStream::onContextState(pa_context* context, void* self) {
  auto* stream = static_cast<PulseStream*>(self);
  if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context))) stream->reportFailure();
  pa_threaded_mainloop_signal(stream->mainloop_, 0);
}

void PulseStream::onStreamState(pa_stream* pulseStream, void* self) {
  auto* stream = static_cast<PulseStream*>(self);
  if (!PA_STREAM_IS_GOOD(pa_stream_get_state(pulseStream))) stream->reportFailure();
  pa_threaded_mainloop_signal(stream->mainloop_, 0);
}

// Fills what the server asks for straight from the mixer, in the server's own buffer.
void PulseStream::onWritable(pa_stream* pulseStream, size_t bytes, void* self) {
  auto* stream = static_cast<PulseStream*>(self);
  void* buffer = nullptr;
  if (pa_stream_begin_write(pulseStream, &buffer, &bytes) < 0 || !buffer) return;
  bytes -= bytes % sizeof(std::int16_t);
  const qint64 mixed = stream->mixer_.read(static_cast<char*>(buffer), static_cast<qint64>(bytes));
  if (mixed <= 0) {
    pa_stream_cancel_write(pulseStream);
    return;
  }
  pa_stream_write(pulseStream, buffer, static_cast<size_t>(mixed), nullptr, 0, PA_SEEK_RELATIVE);
}

}  // namespace character
