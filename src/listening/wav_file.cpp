// SPDX-License-Identifier: GPL-3.0-or-later
#include "wav_file.h"

#include <sndfile.h>

#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <memory>

namespace listening {

namespace {

struct SndfileCloser {
  void operator()(SNDFILE* file) const { sf_close(file); }
};

QString checkFormat(const SF_INFO& info) {
  if ((info.format & SF_FORMAT_TYPEMASK) != SF_FORMAT_WAV &&
      (info.format & SF_FORMAT_TYPEMASK) != SF_FORMAT_WAVEX)
    return QStringLiteral("not a WAV file");
  if ((info.format & SF_FORMAT_SUBMASK) != SF_FORMAT_PCM_16)
    return QStringLiteral("not 16-bit PCM (only 16-bit PCM WAV files are read)");
  if (info.channels != 1 && info.channels != 2)
    return QStringLiteral("%1 channels (only mono or stereo is read)").arg(info.channels);
  if (info.samplerate < kMinSampleRate || info.samplerate > kMaxSampleRate)
    return QStringLiteral("a sample rate of %1 Hz (%2 to %3 Hz are read)")
        .arg(info.samplerate)
        .arg(kMinSampleRate)
        .arg(kMaxSampleRate);
  if (info.frames > sf_count_t(info.samplerate) * kMaxSoundSeconds)
    return QStringLiteral("longer than %1 seconds").arg(kMaxSoundSeconds);
  return {};
}

}  // namespace

bool readWavFile(const QString& path, PcmSound& sound, QString& error) {
  const QFileInfo file(path);
  if (!file.exists()) {
    error = QStringLiteral("%1: no such file").arg(path);
    return false;
  }
  if (!file.isFile()) {
    error = QStringLiteral("%1: not a regular file").arg(path);
    return false;
  }
  SF_INFO info{};
  std::unique_ptr<SNDFILE, SndfileCloser> handle(
      sf_open(QFile::encodeName(path).constData(), SFM_READ, &info));
  if (!handle) {
    error = QStringLiteral("%1: cannot be read as sound: %2").arg(path, sf_strerror(nullptr));
    return false;
  }
  if (const QString problem = checkFormat(info); !problem.isEmpty()) {
    error = QStringLiteral("%1: %2").arg(path, problem);
    return false;
  }
  sound.sampleRate = info.samplerate;
  sound.channels = info.channels;
  sound.samples.resize(std::size_t(info.frames) * std::size_t(info.channels));
  const sf_count_t read = sf_readf_short(handle.get(), sound.samples.data(), info.frames);
  sound.samples.resize(std::size_t(std::max<sf_count_t>(read, 0)) * std::size_t(info.channels));
  return true;
}

bool writeWavFile(const QString& path, const PcmSound& sound) {
  const QByteArray partial = QFile::encodeName(path + QStringLiteral(".part"));
  SF_INFO info{};
  info.samplerate = sound.sampleRate;
  info.channels = sound.channels;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  std::unique_ptr<SNDFILE, SndfileCloser> handle(sf_open(partial.constData(), SFM_WRITE, &info));
  if (!handle) return false;
  const auto frames = sf_count_t(sound.samples.size()) / std::max(sound.channels, 1);
  const bool written = sf_writef_short(handle.get(), sound.samples.data(), frames) == frames;
  sf_write_sync(handle.get());
  handle.reset();
  if (written && std::rename(partial.constData(), QFile::encodeName(path).constData()) == 0)
    return true;
  std::remove(partial.constData());
  return false;
}

}  // namespace listening
