// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "audio_clip.h"

namespace character {

// One phone festival said: the token of the text it belongs to (-1: none, a pause), where it
// ends and its name ("pau", "aa", ...).
struct FestivalSegment {
  int token = -1;
  double endSeconds = 0;
  std::string phone;
};

// What festival said for one text: the samples at festival's own rate and its phones.
struct FestivalSpeech {
  Samples samples;
  int sampleRate = 0;
  int tokenCount = 0;
  std::vector<FestivalSegment> segments;
};

// The byte stream between the program and festival's process (a socket): a request is the
// voice and the speed on one line, then the text on one line; the answer is "said RATE
// SAMPLES TOKENS SEGMENTS", one line per segment ("TOKEN END PHONE"), then the samples (16-bit,
// this machine's byte order), or "failed".
class FestivalChannel {
 public:
  // Reads give up after `timeoutMs` without a byte (-1: never).
  explicit FestivalChannel(int fd, int timeoutMs = -1) : fd_(fd), timeoutMs_(timeoutMs) {}

  bool sendRequest(const std::string& voice, double speed, const std::string& text);
  // The request's parts; nothing once the other end has closed.
  std::optional<std::string> readLine();
  bool sendAnswer(const std::optional<FestivalSpeech>& speech);
  // False when the stream broke or was out of step; `speech` is empty when festival failed.
  bool readAnswer(std::optional<FestivalSpeech>& speech);

 private:
  bool send(const void* data, std::size_t size);
  bool read(void* data, std::size_t size);
  ssize_t readSome(void* data, std::size_t size);

  int fd_;
  int timeoutMs_;
  std::string buffered_;
};

}  // namespace character
