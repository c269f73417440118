// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPainterPath>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "balloon_layout.h"
#include "balloon_text.h"
#include "character/presenter.h"

namespace character {

// Asked at each placement: the screen areas (other windows of the program) a balloon keeps clear
// of, as they are at that moment.
using KeepClearAreas = std::function<std::vector<QRect>()>;

// A character's speech or thought balloon: a window of its own beside the character, cut out
// along the balloon's outline, titled "boy says: TEXT" or "vemo thinks: TEXT" with the whole
// text. Its size comes from the whole text, so it does not grow while the words appear.
class BalloonWindow : public QWidget {
 public:
  explicit BalloonWindow(const QString& characterId);

  // Shows `fullText` with `visibleText` revealed so far, beside the character's frame, the
  // `marked` stretches of the text drawn marked.
  void showText(BalloonKind kind, const QString& fullText, const QString& visibleText,
                const QRect& characterFrame, const std::vector<MarkedRange>& marked = {});
  // Keeps the balloon beside a character that moved or was resized.
  void followCharacter(const QRect& characterFrame);
  // Makes the balloon keep clear of `areas` from its next placement on.
  void setKeepClear(KeepClearAreas areas) { keepClear_ = std::move(areas); }

  const BalloonGeometry& geometryOnScreen() const { return geometry_; }
  const QImage& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void setContent(BalloonKind kind, const QString& fullText,
                  const std::vector<MarkedRange>& marked);
  void place(const QRect& characterFrame);
  void redraw();
  QRect availableScreenArea(const QRect& characterFrame) const;
  std::vector<QRect> areasToKeepClear() const;

  QString characterId_;
  KeepClearAreas keepClear_;
  BalloonKind kind_ = BalloonKind::Speech;
  QString fullText_;
  std::vector<MarkedRange> marked_;
  int revealed_ = 0;
  std::optional<BalloonText> text_;
  BalloonGeometry geometry_;
  QPainterPath shape_;
  QImage image_;
};

}  // namespace character
