#pragma once

#include <QByteArray>
#include <QString>

#include "agent_error.h"
#include "character_data.h"

namespace character {

// Reads a character file. Throws AgentError whose message names the file, what is wrong and
// where (e.g. "ku.dat: animation \"Greet\", frame 2: duration must be positive").
CharacterData readCharacterFile(const QString& path);

// Parses the bytes of a character file; `fileName` only names the file in error messages.
CharacterData parseCharacterFile(const QByteArray& bytes, const QString& fileName);

}  // namespace character
