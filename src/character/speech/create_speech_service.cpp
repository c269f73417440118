#include "create_speech_service.h"

namespace character {

std::unique_ptr<SpeechService> createSpeechService() { return std::make_unique<TimedSpeech>(); }

}  // namespace character
