// SPDX-License-Identifier: GPL-3.0-or-later
#include "memory_at_rest.h"

#include <malloc.h>
#include <sys/mman.h>

#include <QFile>

namespace platform {
namespace {

// A mapping only ever read, of a file in a fonts folder: "start-end r--p offset dev inode path".
bool isFontFileMapping(const QByteArray& line) {
  const QList<QByteArray> fields = line.simplified().split(' ');
  return fields.size() >= 6 && fields[1] == "r--p" && fields[5].contains("/fonts/");
}

void release(const QByteArray& line) {
  const QList<QByteArray> range = line.left(line.indexOf(' ')).split('-');
  bool startRead = false;
  bool endRead = false;
  const quintptr start = range.value(0).toULongLong(&startRead, 16);
  const quintptr end = range.value(1).toULongLong(&endRead, 16);
  if (startRead && endRead && end > start) {
    madvise(reinterpret_cast<void*>(start), end - start, MADV_DONTNEED);
  }
}

void releaseFontPages() {
  QFile maps(QStringLiteral("/proc/self/maps"));
  if (!maps.open(QIODevice::ReadOnly)) return;
  for (const QByteArray& line : maps.readAll().split('\n')) {
    if (isFontFileMapping(line)) release(line);
  }
}

}  // namespace

void releaseMemoryAtRest() {
  releaseFontPages();
  malloc_trim(0);
}

}  // namespace platform
