// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include "character_data.h"

namespace character {

// Reading a character file takes a few milliseconds; the program has its files read on a worker
// thread while it sets up its windows, and loads them from there.

// Starts reading the files at `paths`, in that order, on a worker thread; returns at once.
void readCharacterFilesAhead(const QStringList& paths);

// The character file at `path`: the one read ahead, which is then forgotten, or else read now.
// Throws the AgentError of readCharacterFile, whenever the file was read.
CharacterData takeCharacterFile(const QString& path);

}  // namespace character
