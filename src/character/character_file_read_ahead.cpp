// SPDX-License-Identifier: GPL-3.0-or-later
#include "character_file_read_ahead.h"

#include <map>
#include <mutex>
#include <vector>

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

void readInto(const QString& path, std::promise<CharacterData>& file) {
  try {
    file.set_value(readCharacterFile(path));
  } catch (...) {
    file.set_exception(std::current_exception());
  }
}

}  // namespace

CharacterFilesReadAhead::CharacterFilesReadAhead(const QStringList& paths) : paths_(paths) {
  FilesReadAhead& ahead = filesReadAhead();
  std::vector<std::promise<CharacterData>> files(static_cast<std::size_t>(paths.size()));
  {
    const std::lock_guard lock(ahead.mutex);
    for (qsizetype index = 0; index < paths.size(); ++index) {
      ahead.files[paths[index]] = files[static_cast<std::size_t>(index)].get_future();
    }
  }
  worker_ = std::async(std::launch::async, [paths, files = std::move(files)]() mutable {
    for (qsizetype index = 0; index < paths.size(); ++index) {
      readInto(paths[index], files[static_cast<std::size_t>(index)]);
    }
  });
}

CharacterFilesReadAhead::~CharacterFilesReadAhead() {
  worker_.wait();
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
