// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

namespace listening {

// Sound as read from a file: interleaved 16-bit samples.
struct PcmSound {
  std::vector<std::int16_t> samples;
  int sampleRate = 0;
  int channels = 0;
};

// Longest recording read (a learner's reading lasts seconds; this bounds memory).
inline constexpr int kMaxSoundSeconds = 600;
// Sample rates read: what a WAV file of speech can sensibly hold.
inline constexpr int kMinSampleRate = 4000;
inline constexpr int kMaxSampleRate = 384000;

// Reads a WAV file of 16-bit PCM, mono or stereo, at any rate. Anything else (no such file,
// not a regular file, another format or sample type, more channels, longer than
// kMaxSoundSeconds, a rate outside kMinSampleRate..kMaxSampleRate) gives false and a reason in
// `error`.
bool readWavFile(const QString& path, PcmSound& sound, QString& error);

// Writes `sound` as a WAV file of 16-bit PCM: whole or not at all (written beside `path`, synced,
// then renamed over it). False when it cannot be written.
bool writeWavFile(const QString& path, const PcmSound& sound);

}  // namespace listening
