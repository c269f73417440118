// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class QMimeData;
class QWidget;

namespace platform {

// The file a drag carries: the first local file of its URI list ("text/uri-list", as file
// managers drag files), "" when it carries none.
QString draggedLocalFile(const QMimeData& data);

// Makes `window` take the drops of local files from the desktop and hand each dropped file to
// `dropped`, from the event loop once the drop is over. A drag that carries no local file is not
// accepted, so the pointer shows that it cannot be dropped there.
void acceptFileDrops(QWidget& window, std::function<void(const QString& path)> dropped);

}  // namespace platform
