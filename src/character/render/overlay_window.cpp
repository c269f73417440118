#include "overlay_window.h"

#include <QtGui/qguiapplication_platform.h>

#include <QGuiApplication>

#ifdef CHARACTER_HAVE_XCB
#include <xcb/xcb.h>

#include <vector>
#endif

namespace character {

namespace {

#ifdef CHARACTER_HAVE_XCB
xcb_atom_t internAtom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 0, static_cast<uint16_t>(qstrlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  free(reply);
  return atom;
}

// Qt::Tool alone leaves a task-bar entry on some desktops; these states remove it. They are
// written while the window is still unmapped: Qt merges its own states into them when it maps.
void skipTaskbarAndPager(QWidget& widget) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->connection()) return;
  xcb_connection_t* connection = x11->connection();
  const std::vector<xcb_atom_t> states{internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                                       internAtom(connection, "_NET_WM_STATE_SKIP_PAGER")};
  const auto window = static_cast<xcb_window_t>(widget.winId());
  xcb_change_property(connection, XCB_PROP_MODE_APPEND, window,
                      internAtom(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32,
                      static_cast<uint32_t>(states.size()), states.data());
  xcb_flush(connection);
}
#else
void skipTaskbarAndPager(QWidget&) {}
#endif

}  // namespace

void makeOverlayWindow(QWidget& widget) {
  widget.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                        Qt::WindowDoesNotAcceptFocus);
  widget.setAttribute(Qt::WA_ShowWithoutActivating);
  widget.setFocusPolicy(Qt::NoFocus);
  skipTaskbarAndPager(widget);
}

}  // namespace character
