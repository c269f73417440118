// SPDX-License-Identifier: GPL-3.0-or-later
// chengmu-festival: festival in a process of its own. The program's speech module starts it
// the first time a character speaks through festival and talks to it over its standard input, a
// socket (festival_channel.h): festival's interpreter holds tens of megabytes and ends its
// process on some errors, neither of which the program should carry.
#include <fcntl.h>
#include <festival/festival.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <optional>
#include <string>
#include <unordered_map>

#include "festival_channel.h"

namespace {

using character::FestivalChannel;
using character::FestivalSegment;
using character::FestivalSpeech;

// The Scheme heap, in cells: a long sentence fits between two collections (a 40-letter word needs
// more than 210,000), and the whole process stays near 40 MiB.
constexpr int kHeapCells = 500000;

bool evaluate(const std::string& expression) {
  return festival_eval_command(EST_String(expression.c_str())) != 0;
}

// Selects `name` unless it is selected already, and keeps the voice's own engine settings so
// that each utterance can add its speed to them.
bool selectVoice(const std::string& name) {
  static std::string selected;
  if (selected == name) return true;
  selected.clear();
  const bool plainName = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
  });
  if (!plainName || !evaluate("(voice_" + name + ")") ||
      !evaluate("(set! chengmu-voice-engine-params hts_engine_params)")) {
    return false;
  }
  selected = name;
  return true;
}

// The text as a Scheme string: festival reads bytes, so it is given ASCII only (the program
// takes accents off before), with quotes and backslashes escaped.
std::string schemeString(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

EST_Item* tokenOfSegment(EST_Item* segment) {
  EST_Item* syllable = parent(segment, "SylStructure");
  EST_Item* word = syllable ? parent(syllable) : nullptr;
  return word ? parent(word, "Token") : nullptr;
}

std::optional<FestivalSpeech> collect(EST_Utterance& utterance) {
  if (!utterance.relation_present("Wave") || !utterance.relation_present("Token") ||
      !utterance.relation_present("Segment") || !utterance.relation("Wave")->head()) {
    return std::nullopt;
  }
  FestivalSpeech speech;
  std::unordered_map<const EST_Item*, int> tokenIndex;
  for (EST_Item* token = utterance.relation("Token")->head(); token; token = inext(token)) {
    tokenIndex.emplace(token, speech.tokenCount++);
  }
  for (EST_Item* segment = utterance.relation("Segment")->head(); segment;
       segment = inext(segment)) {
    const auto found = tokenIndex.find(tokenOfSegment(segment));
    speech.segments.push_back({found == tokenIndex.end() ? -1 : found->second, segment->F("end"),
                               segment->S("name").str()});
  }
  const EST_Wave* wave = ::wave(utterance.relation("Wave")->head()->f("wave"));
  speech.sampleRate = wave->sample_rate();
  speech.samples.resize(static_cast<std::size_t>(wave->num_samples()));
  for (int i = 0; i < wave->num_samples(); ++i) speech.samples[i] = wave->a_no_check(i);
  return speech;
}

std::optional<FestivalSpeech> say(const std::string& voice, const std::string& speed,
                                  const std::string& text) {
  if (!selectVoice(voice) || !evaluate("(set! chengmu-utterance nil)") ||
      !evaluate("(set! hts_engine_params (cons (list \"-r\" " + speed +
                ") chengmu-voice-engine-params))") ||
      !evaluate("(Parameter.set 'Duration_Stretch (/ 1.0 " + speed + "))") ||
      !evaluate("(set! chengmu-utterance (utt.synth (Utterance Text " + schemeString(text) +
                ")))")) {
    return std::nullopt;
  }
  const LISP saidUtterance = siod_get_lval("chengmu-utterance", nullptr);
  std::optional<FestivalSpeech> speech;
  if (saidUtterance != NIL) speech = collect(*get_c_utt(saidUtterance));
  evaluate("(set! chengmu-utterance nil)");
  return speech;
}

// A speed as the program writes it: a plain number, well away from 0.
bool validSpeed(const std::string& speed) {
  char* end = nullptr;
  const double value = std::strtod(speed.c_str(), &end);
  return !speed.empty() && *end == '\0' && value >= 0.1 && value <= 10 &&
         speed.find_first_not_of("0123456789.e-") == std::string::npos;
}

}  // namespace

int main() {
  // The socket is standard input; standard output goes where errors go, since festival writes
  // messages of its own there.
  const int socket = dup(STDIN_FILENO);
  dup2(STDERR_FILENO, STDOUT_FILENO);
  const int nothing = open("/dev/null", O_RDONLY);
  if (socket < 0 || nothing < 0 || dup2(nothing, STDIN_FILENO) < 0) return EXIT_FAILURE;
  festival_initialize(1, kHeapCells);
  FestivalChannel channel(socket);
  while (true) {
    const std::optional<std::string> request = channel.readLine();
    const std::optional<std::string> text = request ? channel.readLine() : std::nullopt;
    if (!text) return EXIT_SUCCESS;
    const std::size_t blank = request->find(' ');
    const std::string voice = request->substr(0, blank);
    const std::string speed = blank == std::string::npos ? "" : request->substr(blank + 1);
    const std::optional<FestivalSpeech> speech =
        validSpeed(speed) ? say(voice, speed, *text) : std::nullopt;
    if (!channel.sendAnswer(speech)) return EXIT_FAILURE;
  }
}
