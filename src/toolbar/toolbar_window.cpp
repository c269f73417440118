// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolbar_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>

#include "base/guarded_run.h"
#include "grip_glyph.h"
#include "platform/file_drops.h"
#include "platform/font_substitutions.h"
#include "platform/taskbar_hint.h"
#include "toolbar_log.h"

namespace toolbar {
namespace {

// Where the bar stands when created, in twips; starting docks it.
const QRect kCreatedGeometryTwips(3870, 2745, 2400, 1035);
const QRect kGripGeometryTwips(0, 20, 240, 255);
constexpr int kPollIntervalMs = 100;

const QColor kBackground(0, 0, 192);
const QColor kButtonFace(224, 224, 224);

constexpr int kButtonWidthTwips = 366;
constexpr int kButtonHeightTwips = 303;

QFont buttonFont() {
  QFont font(QStringLiteral("宋体"));
  font.setPointSizeF(10.5);
  font.setWeight(QFont::Normal);
  return font;
}

bool isGripMouseEvent(QEvent::Type type) {
  return type == QEvent::MouseButtonPress || type == QEvent::MouseMove ||
         type == QEvent::MouseButtonRelease;
}

}  // namespace

ToolbarWindow::ToolbarWindow(const std::vector<ToolbarButton>& buttons, QMenu& buttonMenu,
                             const WindowSystemFactory& makeWindowSystem)
    : twips_(platform::Twips::ofScreen()),
      windowSystem_(makeWindowSystem(*this)),
      docking_(*windowSystem_, twips_, twips_.toPixels(kCreatedGeometryTwips)) {
  platform::installFontSubstitutions();
  setUpWindow();
  createGrip();
  createButtons(buttons, buttonMenu);
  pollTimer_.setObjectName(QStringLiteral("Timer1"));
  pollTimer_.setInterval(kPollIntervalMs);
  connect(&pollTimer_, &QTimer::timeout, this, [this] { runHandler([this] { pollCursor(); }); });
  platform::acceptFileDrops(*this, [this](const QString& path) { emit fileDropped(path); });
  docking_.placeInitially();
}

ToolbarWindow::~ToolbarWindow() = default;

QPushButton& ToolbarWindow::button(int index) const {
  return *buttons_.at(static_cast<std::size_t>(index));
}

// A tool window without frame that stays above the others; the window system places it where
// the bar says.
void ToolbarWindow::setUpWindow() {
  setObjectName(QStringLiteral("maun"));
  setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  setWindowTitle(QStringLiteral("Form1"));
  QPalette background = palette();
  background.setColor(QPalette::Window, kBackground);
  setPalette(background);
  setAutoFillBackground(true);
  platform::keepOutOfTaskbar(*this);
}

void ToolbarWindow::createGrip() {
  grip_ = new QLabel(this);
  grip_->setObjectName(QStringLiteral("Image1"));
  const QPixmap glyph = QPixmap::fromImage(gripGlyph());
  grip_->setPixmap(glyph);
  // Shown at the bitmap's own size, not stretched to the control's.
  grip_->setGeometry(QRect(twips_.toPixels(kGripGeometryTwips).topLeft(), glyph.size()));
  grip_->setToolTip(QStringLiteral("按住可移动"));
  grip_->installEventFilter(this);
}

void ToolbarWindow::createButtons(const std::vector<ToolbarButton>& buttons, QMenu& buttonMenu) {
  QPalette face = palette();
  face.setColor(QPalette::Button, kButtonFace);
  for (const ToolbarButton& entry : buttons) {
    auto* button = new QPushButton(entry.action->text(), this);
    button->setObjectName(QStringLiteral("Command1_%1").arg(buttons_.size()));
    button->setToolTip(entry.action->toolTip());
    button->setGeometry(
        twips_.toPixels(QRect(entry.leftTwips, 0, kButtonWidthTwips, kButtonHeightTwips)));
    button->setPalette(face);
    button->setFont(buttonFont());
    connect(button, &QPushButton::clicked, entry.action, &QAction::trigger);
    button->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(button, &QWidget::customContextMenuRequested, this,
            [&buttonMenu, button](QPoint place) { buttonMenu.popup(button->mapToGlobal(place)); });
    buttons_.push_back(button);
  }
  for (std::size_t index = 1; index < buttons_.size(); ++index) {
    setTabOrder(buttons_[index - 1], buttons_[index]);
  }
}

void ToolbarWindow::start() {
  dock();
  pollTimer_.start();
}

void ToolbarWindow::dock() {
  docking_.dock();
}

void ToolbarWindow::bringIntoView() {
  runHandler([this] { dock(); });
  raise();
}

void ToolbarWindow::pollCursor() {
  docking_.pollCursor();
}

void ToolbarWindow::runHandler(const std::function<void()>& handler) {
  base::runGuarded(handler,
                   [](const QString& message) { qCWarning(lcToolbar).noquote() << message; });
}

// Every repaint keeps the bar on top, without activating it.
void ToolbarWindow::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  runHandler([this] { docking_.keepOnTop(); });
}

// Ignored here: whoever ends the program on closeRequested() closes every window, and when the
// program goes on, so does the bar.
void ToolbarWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  emit closeRequested();
}

// The grip's press, moves and release, with any button. While a button is held, the window
// system keeps sending the moves and the release to the grip wherever the cursor goes.
bool ToolbarWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != grip_ || !isGripMouseEvent(event->type())) {
    return QWidget::eventFilter(watched, event);
  }
  runHandler([this, type = event->type()] {
    switch (type) {
      case QEvent::MouseButtonPress:
        docking_.gripPressed();
        break;
      case QEvent::MouseMove:
        docking_.gripMoved();
        break;
      default:
        docking_.gripReleased();
        break;
    }
  });
  return true;
}

}  // namespace toolbar
