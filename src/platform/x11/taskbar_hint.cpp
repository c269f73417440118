// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/taskbar_hint.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <array>
#include <cstdlib>

namespace platform {
namespace {

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 0, static_cast<uint16_t>(qstrlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  if (!reply) return XCB_ATOM_NONE;
  const xcb_atom_t atom = reply->atom;
  std::free(reply);
  return atom;
}

}  // namespace

// Qt::Tool alone does not keep a window out of the task bar. Qt merges the _NET_WM_STATE it
// finds on an unmapped window with its own states when it maps it, so the skip states set here
// survive show().
void keepOutOfTaskbar(QWidget& window) {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->connection()) return;  // the offscreen platform has no connection
  xcb_connection_t* connection = x11->connection();
  const auto windowId = static_cast<xcb_window_t>(window.winId());
  const std::array<xcb_atom_t, 2> states = {internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                                            internAtom(connection, "_NET_WM_STATE_SKIP_PAGER")};
  xcb_change_property(connection, XCB_PROP_MODE_APPEND, windowId,
                      internAtom(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32,
                      static_cast<uint32_t>(states.size()), states.data());
  xcb_flush(connection);
}

}  // namespace platform
