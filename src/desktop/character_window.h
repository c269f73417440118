// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>

#include "frame_renderer.h"

namespace character {

// The window a character stands in: exactly its frame, cut out along the character's shape,
// above other windows, without a task-bar entry, never taking the focus. Titled with the
// character's ID so that tools and tests can find it.
class CharacterWindow : public QWidget {
 public:
  explicit CharacterWindow(const QString& id);

  void setFrame(const RenderedFrame& frame);
  const QImage& frameImage() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image_;
};

}  // namespace character
