// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/display_check.h"

#include <xcb/xcb.h>

#include <QByteArray>
#include <QtGlobal>

namespace platform {

std::optional<QString> missingDisplayReason() {
  const QByteArray platformName = qgetenv("QT_QPA_PLATFORM");
  if (!platformName.isEmpty() && !platformName.startsWith("xcb")) return std::nullopt;
  const QByteArray display = qgetenv("DISPLAY");
  if (display.isEmpty()) return QStringLiteral("no display: DISPLAY is not set");
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  const bool failed = xcb_connection_has_error(connection) != 0;
  xcb_disconnect(connection);
  if (failed) {
    return QStringLiteral("no display: cannot connect to the X server at \"%1\"")
        .arg(QString::fromLocal8Bit(display));
  }
  return std::nullopt;
}

}  // namespace platform
