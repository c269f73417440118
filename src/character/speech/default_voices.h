#pragma once

#include <QString>

#include "character/character_data.h"

namespace character {

// The English voice of a character whose file names none: "vemo" a clear adult voice, "girl" a
// female voice with raised pitch, "boy" a child-like one; anyone else the adult voice.
VoiceSettings defaultVoice(const QString& characterId);

// The Mandarin voice for Chinese characters of a character whose file names none.
VoiceSettings defaultChineseVoice(const QString& characterId);

// The speaker's voices, its file's settings where it gives an engine, the defaults elsewhere.
VoiceSettings englishVoiceOf(const CharacterData& speaker);
VoiceSettings chineseVoiceOf(const CharacterData& speaker);

}  // namespace character
