// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/taskbar_hint.h"

#include <xcb/xcb.h>

#include <QEvent>
#include <QGuiApplication>
#include <QVariant>
#include <QWidget>
#include <QWindow>
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

bool hasSkipStates(xcb_connection_t* connection, xcb_window_t window) {
  const std::vector<xcb_atom_t> states =
      currentStates(connection, window, internAtom(connection, "_NET_WM_STATE"));
  return std::find(states.begin(), states.end(),
                   internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR")) != states.end();
}

// Asks the window manager to add the skip states to a mapped window, as a client must once the
// window manager owns the property.
void askForSkipStates(xcb_connection_t* connection, xcb_window_t window) {
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = window;
  message.type = internAtom(connection, "_NET_WM_STATE");
  message.data.data32[0] = 1;  // _NET_WM_STATE_ADD
  message.data.data32[1] = internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
  message.data.data32[2] = internAtom(connection, "_NET_WM_STATE_SKIP_PAGER");
  message.data.data32[3] = 1;  // asked by an ordinary application
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  xcb_send_event(connection, 0, screen->root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(connection);
}

xcb_connection_t* x11Connection() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->connection() : nullptr;
}

// Sets the hint on a window that is about to be shown (Qt sends the show event of a top-level
// widget before it maps the window), and looks again once the window is mapped: a window hidden
// and shown again quickly can meet a window manager that handles the hiding (and drops the
// states of the withdrawn window) only after the hint was written. The states are then asked
// for as for any mapped window.
class SkipTaskbarOnShow : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (auto* widget = qobject_cast<QWidget*>(watched)) {
      if (event->type() == QEvent::Show && !event->spontaneous()) prepareShowing(*widget);
    } else if (auto* handle = qobject_cast<QWindow*>(watched)) {
      if (event->type() == QEvent::Expose) checkMapped(*handle);
    }
    return false;
  }

 private:
  static constexpr const char* kCheckPending = "chengmuSkipStatesUnchecked";

  void prepareShowing(QWidget& window) {
    xcb_connection_t* connection = x11Connection();
    if (!connection) return;
    addSkipStates(connection, static_cast<xcb_window_t>(window.winId()));
    QWindow* handle = window.windowHandle();
    handle->removeEventFilter(this);
    handle->installEventFilter(this);
    handle->setProperty(kCheckPending, true);
  }

  void checkMapped(QWindow& handle) {
    if (!handle.isExposed() || !handle.property(kCheckPending).toBool()) return;
    handle.setProperty(kCheckPending, false);
    xcb_connection_t* connection = x11Connection();
    const auto window = static_cast<xcb_window_t>(handle.winId());
    if (connection && !hasSkipStates(connection, window)) askForSkipStates(connection, window);
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
