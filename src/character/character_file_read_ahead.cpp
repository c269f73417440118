// SPDX-License-Identifier: GPL-3.0-or-later
#include "character_file_read_ahead.h"

#include <future>
#include <map>
#include <mutex>

#include "character_file.h"

namespace character {
namespace {

struct FilesReadAhead {
  std::mutex mutex;
  std::map<QString, std::future<CharacterData>> files;
};

FilesReadAhead& filesReadAhead() {
  static FilesReadAhead ahead;
  return ahead;
}

}  // namespace

CharacterFilesReadAhead::CharacterFilesReadAhead(const QStringList& paths) : paths_(paths) {
  FilesReadAhead& ahead = filesReadAhead();
  const std::lock_guard lock(ahead.mutex);
  for (const QString& path : paths) {
    ahead.files[path] = std::async(std::launch::async, [path] { return readCharacterFile(path); });
  }
}

// A future of std::async waits for its worker when it goes: erasing the files not taken waits
// for them.
CharacterFilesReadAhead::~CharacterFilesReadAhead() {
  FilesReadAhead& ahead = filesReadAhead();
  const std::lock_guard lock(ahead.mutex);
  for (const QString& path : paths_) ahead.files.erase(path);
}

CharacterData takeCharacterFile(const QString& path) {
  FilesReadAhead& ahead = filesReadAhead();
  std::future<CharacterData> file;
  {
    const std::lock_guard lock(ahead.mutex);
    const auto found = ahead.files.find(path);
    if (found == ahead.files.end()) return readCharacterFile(path);
    file = std::move(found->second);
    ahead.files.erase(found);
  }
  return file.get();
}

}  // namespace character
