// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCursor>
#include <QGuiApplication>
#include <QWidget>

#include "pointer_reader.h"
#include "window_system.h"

namespace platform {
namespace {

// The pointer as Qt sees it, Qt's window geometry and override cursor; works on X11 and headless
// platforms.
class DesktopWindowSystem : public WindowSystem {
 public:
  explicit DesktopWindowSystem(QWidget& window) : window_(window) {}
  ~DesktopWindowSystem() override { setOverridePointer(Pointer::Default); }

  ScreenPoint cursorPos() const override {
    const QPoint position = pointer_.position();
    return {position.x(), position.y()};
  }

  ScreenRect windowRect() const override { return ScreenRect::fromQRect(window_.frameGeometry()); }

  // A plain raise restacks the window without asking the window manager to activate it; the
  // stay-on-top hint keeps it in the topmost group.
  void raiseTopmost() override { window_.raise(); }

  void moveWindow(const QRect& geometry) override { window_.setGeometry(geometry); }

  // Qt keeps a stack of override cursors: push one only when the move pointer starts.
  void setOverridePointer(Pointer pointer) override {
    if (pointer == current_) return;
    if (current_ == Pointer::Move) QGuiApplication::restoreOverrideCursor();
    if (pointer == Pointer::Move) QGuiApplication::setOverrideCursor(Qt::SizeAllCursor);
    current_ = pointer;
  }

 private:
  QWidget& window_;
  mutable PointerReader pointer_;
  Pointer current_ = Pointer::Default;
};

}  // namespace

std::unique_ptr<WindowSystem> createDesktopWindowSystem(QWidget& window) {
  return std::make_unique<DesktopWindowSystem>(window);
}

}  // namespace platform
