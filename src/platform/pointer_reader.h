// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <memory>

namespace platform {

// Reads where the pointer is, in Qt's global coordinates, as QCursor::pos() does, for a poll
// that asks ten times a second. On X11 it asks over an X connection of its own: a query over
// Qt's connection is answered through Qt's event reader thread, which wakes a second thread for
// every poll. The own connection is used only while it agrees with Qt: on the same display, with
// screens that Qt does not scale; otherwise, and on other platforms, QCursor::pos() answers.
class PointerReader {
 public:
  PointerReader();
  ~PointerReader();
  PointerReader(const PointerReader&) = delete;
  PointerReader& operator=(const PointerReader&) = delete;

  QPoint position();

 private:
  struct Connection;
  std::unique_ptr<Connection> connection_;  // opened at the first reading
  bool checked_ = false;                    // the first reading compared it with Qt's
};

}  // namespace platform
