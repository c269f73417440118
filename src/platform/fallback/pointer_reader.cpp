// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/pointer_reader.h"

#include <QCursor>

namespace platform {

struct PointerReader::Connection {};

PointerReader::PointerReader() = default;
PointerReader::~PointerReader() = default;

QPoint PointerReader::position() {
  return QCursor::pos();
}

}  // namespace platform
