// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/taskbar_hint.h"

#include <xcb/xcb.h>

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace platform {
namespace {

struct FreeDeleter {
  void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply>
using ReplyPointer = std::unique_ptr<Reply, FreeDeleter>;

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 0, static_cast<uint16_t>(qstrlen(name)), name);
  const ReplyPointer<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(connection, cookie, nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::vector<xcb_atom_t> currentStates(xcb_connection_t* connection, xcb_window_t window,
                                      xcb_atom_t property) {
  const xcb_get_property_cookie_t cookie =
      xcb_get_property(connection, 0, window, property, XCB_ATOM_ATOM, 0, 1024);
  const ReplyPointer<xcb_get_property_reply_t> reply(
      xcb_get_property_reply(connection, cookie, nullptr));
  if (!reply || reply->format != 32 || reply->type != XCB_ATOM_ATOM) return {};
  const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
  return {atoms, atoms + xcb_get_property_value_length(reply.get()) / sizeof(xcb_atom_t)};
}

// Adds the skip states to the window's _NET_WM_STATE, keeping what is there and adding nothing
// twice. Qt merges the _NET_WM_STATE it finds on an unmapped window with its own states when it
// maps it, so the skip states set here survive the showing that follows.
void addSkipStates(xcb_connection_t* connection, xcb_window_t window) {
  const xcb_atom_t property = internAtom(connection, "_NET_WM_STATE");
  std::vector<xcb_atom_t> states = currentStates(connection, window, property);
  for (const char* name : {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"}) {
    const xcb_atom_t state = internAtom(connection, name);
    if (std::find(states.begin(), states.end(), state) == states.end()) states.push_back(state);
  }
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, property, XCB_ATOM_ATOM, 32,
                      static_cast<uint32_t>(states.size()), states.data());
  xcb_flush(connection);
}

// Sets the hint on a window that is about to be shown: Qt sends the show event of a top-level
// widget before it maps the window.
class SkipTaskbarOnShow : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && !event->spontaneous()) {
      auto* window = static_cast<QWidget*>(watched);
      if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
          x11 && x11->connection()) {
        addSkipStates(x11->connection(), static_cast<xcb_window_t>(window->winId()));
      }
    }
    return false;
  }
};

}  // namespace

// Qt::Tool alone does not keep a window out of the task bar, and a hint set once is gone after
// the first hiding; the filter sets it before every mapping instead.
void keepOutOfTaskbar(QWidget& window) {
  static SkipTaskbarOnShow filter;
  window.installEventFilter(&filter);
}

}  // namespace platform
