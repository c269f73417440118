// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_presenter.h"

#include "platform/file_drops.h"

namespace character {

struct QtPresenter::Shown {
  Shown(const QString& id, const CharacterData& data) : renderer(data), window(id), balloon(id) {}
  FrameRenderer renderer;
  CharacterWindow window;
  BalloonWindow balloon;
  Pose pose;
  QRect frame;  // kept here: a mapped window's own pos() is not always current under a WM
};

QtPresenter::QtPresenter() = default;
QtPresenter::~QtPresenter() = default;

QtPresenter::Shown* QtPresenter::find(const QString& id) const {
  const auto found = shown_.find(id);
  return found == shown_.end() ? nullptr : found->second.get();
}

void QtPresenter::addCharacter(const QString& id, const CharacterData& data) {
  auto shown = std::make_unique<Shown>(id, data);
  shown->frame = QRect(0, 0, data.width, data.height);
  shown->window.setGeometry(shown->frame);
  shown->balloon.setKeepClear(keepClear_);
  platform::acceptFileDrops(shown->window, [this](const QString& path) {
    if (fileDropped_) fileDropped_(path);
  });
  shown_[id] = std::move(shown);
}

void QtPresenter::removeCharacter(const QString& id) {
  shown_.erase(id);
}

void QtPresenter::setGeometry(const QString& id, const QRect& frame) {
  Shown* shown = find(id);
  if (!shown) return;
  const bool resized = frame.size() != shown->frame.size();
  shown->frame = frame;
  shown->window.setGeometry(frame);
  if (resized && shown->window.isVisible()) showPose(*shown);
  if (shown->balloon.isVisible()) shown->balloon.followCharacter(frame);
}

void QtPresenter::setVisible(const QString& id, bool visible) {
  Shown* shown = find(id);
  if (!shown) return;
  if (visible && !shown->window.isVisible()) showPose(*shown);
  shown->window.setVisible(visible);
  if (visible) shown->window.raise();
  if (!visible) shown->balloon.hide();
}

void QtPresenter::setPose(const QString& id, const Pose& pose) {
  Shown* shown = find(id);
  if (!shown) return;
  shown->pose = pose;
  if (shown->window.isVisible()) showPose(*shown);
}

// A hidden character is drawn when it is shown: the program starts with all three hidden, and
// drawing them then would only delay the toolbar.
void QtPresenter::showPose(Shown& shown) {
  shown.window.setFrame(
      shown.renderer.render(shown.pose, shown.frame.size(), shown.window.devicePixelRatioF()));
}

void QtPresenter::showBalloon(const QString& id, BalloonKind kind, const QString& fullText,
                              const QString& visibleText) {
  showMarkedBalloon(id, kind, fullText, visibleText, {});
}

void QtPresenter::showMarkedBalloon(const QString& id, BalloonKind kind, const QString& fullText,
                                    const QString& visibleText,
                                    const std::vector<MarkedRange>& marked) {
  Shown* shown = find(id);
  if (!shown) return;
  shown->balloon.showText(kind, fullText, visibleText, shown->frame, marked);
}

void QtPresenter::hideBalloon(const QString& id) {
  if (Shown* shown = find(id)) shown->balloon.hide();
}

void QtPresenter::setKeepClear(KeepClearAreas areas) {
  keepClear_ = std::move(areas);
  for (auto& [id, shown] : shown_) shown->balloon.setKeepClear(keepClear_);
}

void QtPresenter::setFileDropped(std::function<void(const QString& path)> dropped) {
  fileDropped_ = std::move(dropped);
}

CharacterWindow* QtPresenter::characterWindow(const QString& id) const {
  Shown* shown = find(id);
  return shown ? &shown->window : nullptr;
}

BalloonWindow* QtPresenter::balloonWindow(const QString& id) const {
  Shown* shown = find(id);
  return shown ? &shown->balloon : nullptr;
}

}  // namespace character
