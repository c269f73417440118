// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace practice {

// The small sign beside the host while the learner's reading is recorded: a red dot and a bar
// that shows the input level. A window of its own, titled "vemo listens", that never takes the
// keyboard focus.
class RecordingSign : public QWidget {
 public:
  RecordingSign();

  // Shows the sign at the right of `hostFrame` (the host's frame on the screen), at level 0.
  void showBeside(const QRect& hostFrame);
  // `level`: 0 (silence) to 1 (the loudest).
  void setLevel(double level);
  double level() const { return level_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  double level_ = 0;
};

}  // namespace practice
