#include "default_voices.h"

namespace character {

namespace {

VoiceSettings voice(const char* engine, const char* name, double pitchHz, double pitchRange,
                    double rate, double formantScale) {
  return {QString::fromLatin1(engine),
          QString::fromLatin1(name),
          pitchHz,
          pitchRange,
          rate,
          formantScale};
}

}  // namespace

VoiceSettings defaultVoice(const QString& characterId) {
  if (characterId == u"girl") return voice("flite", "slt", 240, 30, 1.0, 1.0);
  if (characterId == u"boy") return voice("flite", "awb", 210, 25, 1.05, 1.12);
  return voice("flite", "rms", 0, 0, 1.0, 1.0);
}

VoiceSettings defaultChineseVoice(const QString& characterId) {
  if (characterId == u"girl") return voice("espeak-ng", "cmn-latn-pinyin+f3", 110, 80, 1.0, 1.0);
  if (characterId == u"boy") return voice("espeak-ng", "cmn-latn-pinyin", 190, 80, 1.0, 1.12);
  return voice("espeak-ng", "cmn-latn-pinyin", 100, 80, 1.0, 1.0);
}

VoiceSettings englishVoiceOf(const CharacterData& speaker) {
  return speaker.voice.engine.isEmpty() ? defaultVoice(speaker.id) : speaker.voice;
}

VoiceSettings chineseVoiceOf(const CharacterData& speaker) {
  return speaker.chineseVoice.engine.isEmpty() ? defaultChineseVoice(speaker.id)
                                               : speaker.chineseVoice;
}

}  // namespace character
