// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include "character_data.h"

namespace character {

// Reading a character file takes a few milliseconds; the program has its files read on worker
// threads while it sets up its windows, and loads them from there.
//
// Reads the files at `paths` from its making, each on a worker thread of its own, so all are read
// in the time of the longest. While it lives, takeCharacterFile takes them from there. Its end
// waits for the workers, so nothing is read while the program ends, and forgets the files that
// were not taken.
class CharacterFilesReadAhead {
 public:
  explicit CharacterFilesReadAhead(const QStringList& paths);
  ~CharacterFilesReadAhead();
  CharacterFilesReadAhead(const CharacterFilesReadAhead&) = delete;
  CharacterFilesReadAhead& operator=(const CharacterFilesReadAhead&) = delete;

 private:
  QStringList paths_;
};

// The character file at `path`: the one read ahead, which is then forgotten, or else read now.
// Throws the AgentError of readCharacterFile, whenever the file was read.
CharacterData takeCharacterFile(const QString& path);

}  // namespace character
