// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_drops.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <utility>

namespace platform {
namespace {

// Watches a window's drag and drop events for local files.
class FileDropFilter : public QObject {
 public:
  FileDropFilter(QWidget& window, std::function<void(const QString&)> dropped)
      : QObject(&window), dropped_(std::move(dropped)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove:
        return acceptIfFile(static_cast<QDropEvent&>(*event));
      case QEvent::Drop:
        if (!acceptIfFile(static_cast<QDropEvent&>(*event))) return false;
        dropped_(draggedLocalFile(*static_cast<QDropEvent&>(*event).mimeData()));
        return true;
      default:
        return QObject::eventFilter(watched, event);
    }
  }

 private:
  static bool acceptIfFile(QDropEvent& event) {
    if (!event.mimeData() || draggedLocalFile(*event.mimeData()).isEmpty()) return false;
    event.setDropAction(Qt::CopyAction);
    event.accept();
    return true;
  }

  std::function<void(const QString&)> dropped_;
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
