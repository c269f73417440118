// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <map>
#include <memory>

#include "balloon_window.h"
#include "character/presenter.h"
#include "character_window.h"
#include "frame_renderer.h"

namespace character {

// Shows characters on the desktop: for each character a window cut out along its shape and a
// balloon window beside it.
class QtPresenter : public Presenter {
 public:
  QtPresenter();
  ~QtPresenter() override;

  void addCharacter(const QString& id, const CharacterData& data) override;
  void removeCharacter(const QString& id) override;
  void setGeometry(const QString& id, const QRect& frame) override;
  void setVisible(const QString& id, bool visible) override;
  void setPose(const QString& id, const Pose& pose) override;
  void showBalloon(const QString& id, BalloonKind kind, const QString& fullText,
                   const QString& visibleText) override;
  void showMarkedBalloon(const QString& id, BalloonKind kind, const QString& fullText,
                         const QString& visibleText,
                         const std::vector<MarkedRange>& marked) override;
  void hideBalloon(const QString& id) override;

  // Makes every balloon keep clear of `areas`, asked at each placement.
  void setKeepClear(KeepClearAreas areas);
  // Hands each local file dropped on a character to `dropped`.
  void setFileDropped(std::function<void(const QString& path)> dropped);

  // The windows of a character, or nullptr when it is not loaded (for tests).
  CharacterWindow* characterWindow(const QString& id) const;
  BalloonWindow* balloonWindow(const QString& id) const;

 private:
  struct Shown;
  Shown* find(const QString& id) const;
  void showPose(Shown& shown);

  std::map<QString, std::unique_ptr<Shown>> shown_;
  KeepClearAreas keepClear_;
  std::function<void(const QString& path)> fileDropped_;
};

}  // namespace character
