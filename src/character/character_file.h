// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include "agent_error.h"
#include "character_data.h"

namespace character {

// Reads a character file. Throws AgentError whose message names the file, what is wrong and
// where (e.g. "ku.dat: animations[6] (Greet).keyframes[1].durationMs: must be between 1 and
// 60000, not 0"). The format is described in docs/character-format.md.
CharacterData readCharacterFile(const QString& path);

// Parses the bytes of a character file; `fileName` only names the file in error messages.
CharacterData parseCharacterFile(const QByteArray& bytes, const QString& fileName);

}  // namespace character
