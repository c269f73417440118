// SPDX-License-Identifier: GPL-3.0-or-later
#include "festival_channel.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <sstream>

namespace character {

namespace {

constexpr std::size_t kChunk = 65536;
// A sentence of festival's is seconds long: far fewer samples and segments than these.
constexpr long kMostSamples = 48000L * 600;
constexpr long kMostSegments = 100000;

}  // namespace

bool FestivalChannel::send(const void* data, std::size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    // Not a signal but an error when the other end is gone.
    const ssize_t sent = ::send(fd_, bytes, size, MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) return false;
    bytes += sent;
    size -= static_cast<std::size_t>(sent);
  }
  return true;
}

ssize_t FestivalChannel::readSome(void* data, std::size_t size) {
  while (true) {
    pollfd readable{fd_, POLLIN, 0};
    const int ready = ::poll(&readable, 1, timeoutMs_);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return -1;
    const ssize_t got = ::read(fd_, data, size);
    if (got < 0 && errno == EINTR) continue;
    return got;
  }
}

bool FestivalChannel::read(void* data, std::size_t size) {
  char* bytes = static_cast<char*>(data);
  const std::size_t fromBuffer = std::min(size, buffered_.size());
  std::memcpy(bytes, buffered_.data(), fromBuffer);
  buffered_.erase(0, fromBuffer);
  for (std::size_t done = fromBuffer; done < size;) {
    const ssize_t got = readSome(bytes + done, size - done);
    if (got <= 0) return false;
    done += static_cast<std::size_t>(got);
  }
  return true;
}

std::optional<std::string> FestivalChannel::readLine() {
  for (std::size_t end = buffered_.find('\n');; end = buffered_.find('\n')) {
    if (end != std::string::npos) {
      std::string line = buffered_.substr(0, end);
      buffered_.erase(0, end + 1);
      return line;
    }
    char chunk[kChunk];
    const ssize_t got = readSome(chunk, sizeof chunk);
    if (got <= 0) return std::nullopt;
    buffered_.append(chunk, static_cast<std::size_t>(got));
  }
}

bool FestivalChannel::sendRequest(const std::string& voice, double speed, const std::string& text) {
  std::ostringstream request;
  request.imbue(std::locale::classic());
  request << voice << ' ' << speed << '\n' << text << '\n';
  const std::string bytes = request.str();
  return send(bytes.data(), bytes.size());
}

bool FestivalChannel::sendAnswer(const std::optional<FestivalSpeech>& speech) {
  std::ostringstream answer;
  answer.imbue(std::locale::classic());
  if (!speech) {
    answer << "failed\n";
  } else {
    answer << "said " << speech->sampleRate << ' ' << speech->samples.size() << ' '
           << speech->tokenCount << ' ' << speech->segments.size() << '\n';
    for (const FestivalSegment& segment : speech->segments) {
      answer << segment.token << ' ' << segment.endSeconds << ' ' << segment.phone << '\n';
    }
  }
  const std::string head = answer.str();
  return send(head.data(), head.size()) &&
         (!speech || send(speech->samples.data(), speech->samples.size() * sizeof(std::int16_t)));
}

bool FestivalChannel::readAnswer(std::optional<FestivalSpeech>& speech) {
  speech.reset();
  const std::optional<std::string> head = readLine();
  if (head == "failed") return true;
  std::istringstream fields(head.value_or(std::string()));
  fields.imbue(std::locale::classic());
  std::string word;
  long samples = -1;
  long segments = -1;
  FestivalSpeech said;
  fields >> word >> said.sampleRate >> samples >> said.tokenCount >> segments;
  if (word != "said" || !fields || said.sampleRate <= 0 || samples < 0 || samples > kMostSamples ||
      segments < 0 || segments > kMostSegments || said.tokenCount < 0) {
    return false;
  }
  for (long i = 0; i < segments; ++i) {
    const std::optional<std::string> line = readLine();
    std::istringstream parts(line.value_or(std::string()));
    parts.imbue(std::locale::classic());
    FestivalSegment segment;
    parts >> segment.token >> segment.endSeconds >> segment.phone;
    if (!line || !parts || segment.token >= said.tokenCount) return false;
    said.segments.push_back(std::move(segment));
  }
  said.samples.resize(static_cast<std::size_t>(samples));
  if (!read(said.samples.data(), said.samples.size() * sizeof(std::int16_t))) return false;
  speech = std::move(said);
  return true;
}

}  // namespace character
