// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lesson {

// What the commands and the lesson reading need of the sentence window: its two texts (the
// English sentence and its translation), hiding it, and showing it for typing.
class SentenceView {
 public:
  virtual ~SentenceView() = default;
  virtual QString sentence() const = 0;
  virtual QString translation() const = 0;
  virtual void setSentence(const QString& text) = 0;
  virtual void setTranslation(const QString& text) = 0;
  virtual void hideWindow() = 0;
  // Shows the window with its top-left corner at `leftTwips`, `topTwips`, above the other
  // windows, with the keyboard focus and the caret in the sentence box; the texts stay.
  virtual void showForTyping(int leftTwips, int topTwips) = 0;
};

}  // namespace lesson
