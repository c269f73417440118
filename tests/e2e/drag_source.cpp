// SPDX-License-Identifier: GPL-3.0-or-later
// A drag source for the end-to-end tests, as a file manager would be one: a small window titled
// "drag source" at 600, 400 that starts a drag of the file FILE ("text/uri-list") when the mouse
// is pressed on it and moved. It prints "dropped" or "not dropped" when the drag is over and ends.
// Usage: drag_source FILE
#include <QApplication>
#include <QDrag>
#include <QFileInfo>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>
#include <cstdio>

namespace {

class DragSource : public QWidget {
 public:
  explicit DragSource(const QString& file) : file_(file) {
    setWindowTitle(QStringLiteral("drag source"));
    setGeometry(600, 400, 120, 80);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override { pressedAt_ = event->position().toPoint(); }

  void mouseMoveEvent(QMouseEvent* event) override {
    if (!(event->buttons() & Qt::LeftButton) ||
        (event->position().toPoint() - pressedAt_).manhattanLength() <
            QApplication::startDragDistance()) {
      return;
    }
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(QFileInfo(file_).absoluteFilePath())});
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    const Qt::DropAction action = drag->exec(Qt::CopyAction);
    std::puts(action == Qt::CopyAction ? "dropped" : "not dropped");
    std::fflush(stdout);
    QApplication::quit();
  }

 private:
  QString file_;
  QPoint pressedAt_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fputs("Usage: drag_source FILE\n", stderr);
    return 2;
  }
  DragSource source(QString::fromLocal8Bit(argv[1]));
  source.show();
  return application.exec();
}
