// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace help {

// A label that reacts to a click: a press of the left button and its release over the label.
// The pointer keeps its ordinary shape over it.
class ClickLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;
};

}  // namespace help
