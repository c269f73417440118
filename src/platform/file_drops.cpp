// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_drops.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <utility>

namespace platform {
namespace {

// Watches a window's drag and drop events for local files. The file is taken when the drag
// comes in: by the time of the drop, the data of a drag from another program may no longer be
// there to ask for (it is, for example, when the drag was started by simulated input). The
// dropped file is handed on once the drop is over, so the program that dragged it is not kept
// waiting by what the file starts here (a message box, say).
class FileDropFilter : public QObject {
 public:
  FileDropFilter(QWidget& window, std::function<void(const QString&)> dropped)
      : QObject(&window), dropped_(std::move(dropped)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::DragEnter:
        dragged_ = draggedFile(static_cast<QDropEvent&>(*event));
        return acceptIfFile(static_cast<QDropEvent&>(*event));
      case QEvent::DragMove:
        return acceptIfFile(static_cast<QDropEvent&>(*event));
      case QEvent::DragLeave:
        dragged_.clear();
        return false;
      case QEvent::Drop:
        return drop(static_cast<QDropEvent&>(*event));
      default:
        return QObject::eventFilter(watched, event);
    }
  }

 private:
  static QString draggedFile(const QDropEvent& event) {
    return event.mimeData() ? draggedLocalFile(*event.mimeData()) : QString();
  }

  bool acceptIfFile(QDropEvent& event) const {
    if (dragged_.isEmpty()) return false;
    event.setDropAction(Qt::CopyAction);
    event.accept();
    return true;
  }

  bool drop(QDropEvent& event) {
    const QString dropped = draggedFile(event);
    if (!dropped.isEmpty()) dragged_ = dropped;
    if (!acceptIfFile(event)) return false;
    QMetaObject::invokeMethod(
        this, [this, file = std::exchange(dragged_, QString())] { dropped_(file); },
        Qt::QueuedConnection);
    return true;
  }

  std::function<void(const QString&)> dropped_;
  QString dragged_;
};

}  // namespace

QString draggedLocalFile(const QMimeData& data) {
  for (const QUrl& url : data.urls()) {
    if (url.isLocalFile()) return url.toLocalFile();
  }
  return QString();
}

void acceptFileDrops(QWidget& window, std::function<void(const QString& path)> dropped) {
  window.setAcceptDrops(true);
  window.installEventFilter(new FileDropFilter(window, std::move(dropped)));
}

}  // namespace platform
