// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/pointer_reader.h"

#include <xcb/xcb.h>

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cstdlib>
#include <optional>

namespace platform {

struct PointerReader::Connection {
  Connection() : connection(xcb_connect(nullptr, &screenNumber)) {
    if (xcb_connection_has_error(connection)) return;
    xcb_screen_iterator_t screen = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int index = 0; index < screenNumber && screen.rem > 0; ++index) xcb_screen_next(&screen);
    if (screen.rem > 0) root = screen.data->root;
  }
  ~Connection() { xcb_disconnect(connection); }

  std::optional<QPoint> position() const {
    if (root == XCB_WINDOW_NONE || xcb_connection_has_error(connection)) return std::nullopt;
    xcb_query_pointer_reply_t* reply =
        xcb_query_pointer_reply(connection, xcb_query_pointer(connection, root), nullptr);
    if (!reply) return std::nullopt;
    const QPoint point(reply->root_x, reply->root_y);
    std::free(reply);
    return point;
  }

  int screenNumber = 0;
  xcb_connection_t* connection;
  xcb_window_t root = XCB_WINDOW_NONE;
};

namespace {

// Qt's global coordinates are the root window's pixels unless Qt scales a screen.
bool screensUnscaled() {
  const QList<QScreen*> screens = QGuiApplication::screens();
  return std::all_of(screens.begin(), screens.end(),
                     [](const QScreen* screen) { return screen->devicePixelRatio() == 1.0; });
}

}  // namespace

PointerReader::PointerReader() = default;
PointerReader::~PointerReader() = default;

// The first reading over the own connection must match Qt's, or the connection is closed for
// good: it went to another display than Qt's (Qt was given one on the command line), or the
// pointer moved between the two readings, and Qt answers from then on.
QPoint PointerReader::position() {
  if (!checked_ && QGuiApplication::platformName() == QLatin1String("xcb")) {
    checked_ = true;
    connection_ = std::make_unique<Connection>();
    if (connection_->position() != QCursor::pos()) connection_.reset();
  }
  if (connection_ && screensUnscaled()) {
    if (const std::optional<QPoint> point = connection_->position()) return *point;
  }
  return QCursor::pos();
}

}  // namespace platform
