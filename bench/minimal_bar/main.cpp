// The yardstick for the toolbar's own cost: the smallest Qt Widgets program that shows the same
// bar (160 x 20 at 258, 0, six buttons with Chinese captions in AR PL UMing) and wakes every
// 100 ms to read the cursor, as the toolbar does to decide when to roll up. It does nothing else.
#include <QApplication>
#include <QCursor>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

namespace {

const QRect kBarGeometry(258, 0, 160, 20);
constexpr int kFirstButtonLeft = 16;
constexpr int kButtonWidth = 24;
constexpr int kCursorPollMs = 100;
const QColor kBackground(0, 0, 192);
const QColor kButtonFace(224, 224, 224);

QFont captionFont() {
  QFont font(QStringLiteral("AR PL UMing CN"));
  font.setPointSizeF(10.5);
  return font;
}

void addButtons(QWidget& bar) {
  QPalette face = bar.palette();
  face.setColor(QPalette::Button, kButtonFace);
  const QStringList captions = {QStringLiteral("文"), QStringLiteral("读"), QStringLiteral("停"),
                                QStringLiteral("短"), QStringLiteral("帮"), QStringLiteral("退")};
  int left = kFirstButtonLeft;
  for (const QString& caption : captions) {
    auto* button = new QPushButton(caption, &bar);
    button->setGeometry(left, 0, kButtonWidth, kBarGeometry.height());
    button->setPalette(face);
    button->setFont(captionFont());
    left += kButtonWidth;
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget bar(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  bar.setWindowTitle(QStringLiteral("minimal bar"));
  QPalette background = bar.palette();
  background.setColor(QPalette::Window, kBackground);
  bar.setPalette(background);
  bar.setAutoFillBackground(true);
  addButtons(bar);
  bar.setGeometry(kBarGeometry);

  QPoint lastCursor;
  QTimer cursorPoll;
  QObject::connect(&cursorPoll, &QTimer::timeout, [&lastCursor] { lastCursor = QCursor::pos(); });
  cursorPoll.start(kCursorPollMs);

  bar.show();
  return application.exec();
}
