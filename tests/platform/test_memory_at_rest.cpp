// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/mman.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <numeric>

#include "platform/memory_at_rest.h"

namespace {

// The resident kibibytes of the mapping that starts at `start`, from /proc/self/smaps.
long residentKiB(const void* start) {
  QFile smaps(QStringLiteral("/proc/self/smaps"));
  if (!smaps.open(QIODevice::ReadOnly)) return -1;
  const QByteArray begin = QByteArray::number(reinterpret_cast<quintptr>(start), 16) + '-';
  bool inMapping = false;
  for (const QByteArray& line : smaps.readAll().split('\n')) {
    if (line.contains('-') && !line.contains(':')) inMapping = false;
    if (line.startsWith(begin)) inMapping = true;
    if (inMapping && line.startsWith("Rss:")) return line.simplified().split(' ').value(1).toLong();
  }
  return -1;
}

// A font file mapped as the font library maps it: its pages read, then handed back and read
// again from the file.
TEST(MemoryAtRestTest, FontFilePagesAreHandedBackAndReadAgainUnchanged) {
  QTemporaryDir folder;
  ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("fonts")));
  QFile font(folder.filePath(QStringLiteral("fonts/large.ttc")));
  QByteArray content(1 << 20, '\0');
  std::iota(content.begin(), content.end(), 0);
  ASSERT_TRUE(font.open(QIODevice::ReadWrite) && font.write(content) == content.size());
  const auto* pages = static_cast<const char*>(
      mmap(nullptr, content.size(), PROT_READ, MAP_PRIVATE, font.handle(), 0));
  ASSERT_NE(pages, MAP_FAILED);
  EXPECT_EQ(QByteArray(pages, content.size()), content);
  EXPECT_GE(residentKiB(pages), 1024);

  platform::releaseMemoryAtRest();
  EXPECT_EQ(residentKiB(pages), 0);
  EXPECT_EQ(QByteArray(pages, content.size()), content);
  munmap(const_cast<char*>(pages), content.size());
}

}  // namespace
