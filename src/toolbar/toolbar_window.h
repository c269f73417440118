// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "bar_docking.h"
#include "platform/twips.h"
#include "platform/window_system.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace toolbar {

// A button of the bar: the command it triggers, whose caption and tool tip it shows, and its
// left edge on the bar.
struct ToolbarButton {
  QAction* action;
  int leftTwips;
};

// The toolbar (object name "maun"): a thin bar at the top edge of the screen with the drag
// grip and a row of command buttons, each of which opens the buttons' menu on a right click.
// It owns the docking and drag state and the poll of the cursor; what a button does is its
// command's business.
class ToolbarWindow : public QWidget {
  Q_OBJECT

 public:
  using WindowSystemFactory =
      std::function<std::unique_ptr<platform::WindowSystem>(QWidget& window)>;

  // The bar as created, before it starts: not shown, at its creation place, with the grip and
  // `buttons` in the order of their indexes.
  ToolbarWindow(const std::vector<ToolbarButton>& buttons, QMenu& buttonMenu,
                const WindowSystemFactory& makeWindowSystem = platform::createDesktopWindowSystem);
  ~ToolbarWindow() override;

  // Docks the bar and starts the poll.
  void start();
  // Docks the bar: 300 twips high at the top edge of the screen, at its current left.
  void dock();
  // Expands the bar at the top edge, as a cursor touching the edge would, and raises it.
  void bringIntoView();
  // The poll of the cursor, every 100 ms once started.
  void pollCursor();

  // The controls: the grip "Image1", the buttons "Command1_<index>" and the poll "Timer1".
  QLabel& grip() const { return *grip_; }
  QPushButton& button(int index) const;
  const QTimer& pollTimer() const { return pollTimer_; }
  const BarDocking& docking() const { return docking_; }

 signals:
  // The window manager asked to close the bar; the bar stays until the program ends.
  void closeRequested();
  // A local file was dropped on the bar or one of its buttons.
  void fileDropped(const QString& path);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void setUpWindow();
  void createGrip();
  void createButtons(const std::vector<ToolbarButton>& buttons, QMenu& buttonMenu);
  // Runs an event handler of the bar's own; a failure is logged and the program goes on.
  void runHandler(const std::function<void()>& handler);

  platform::Twips twips_;
  std::unique_ptr<platform::WindowSystem> windowSystem_;
  BarDocking docking_;
  QLabel* grip_ = nullptr;
  std::vector<QPushButton*> buttons_;
  QTimer pollTimer_;
};

}  // namespace toolbar
