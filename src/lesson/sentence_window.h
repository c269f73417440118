// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <functional>
#include <optional>

#include "platform/twips.h"
#include "sentence_view.h"

class QPlainTextEdit;
class QPushButton;

namespace lesson {

// The sentence window (object name "lx"): a small frameless window whose sentence box carries
// the current English sentence (and takes the learner's own sentence), over a push button that
// frames it and does nothing. The translation box, below the visible area, carries the
// translation. A single instance owned by the toolbar, created hidden, hidden and shown again,
// never destroyed.
class SentenceWindow : public QWidget, public SentenceView {
  Q_OBJECT

 public:
  SentenceWindow();

  // The controls ("Text1", "Command1", "Text2"). While the window is hidden their texts may
  // lag behind sentence() and translation(); showing the window brings them up to date.
  QPlainTextEdit* sentenceBox() const { return sentenceBox_; }
  QPushButton* frameButton() const { return frameButton_; }
  QPlainTextEdit* translationBox() const { return translationBox_; }

  QString sentence() const override;
  QString translation() const override;
  void setSentence(const QString& text) override;
  void setTranslation(const QString& text) override;
  void hideWindow() override { hide(); }
  void showForTyping(int leftTwips, int topTwips) override;

  // Places the window's top-left corner on the screen, in twips; the size stays.
  void moveTo(int leftTwips, int topTwips);
  // Puts the keyboard focus and the caret into the sentence box, keeping its text.
  void focusSentenceBox();

  // Sees the keys that move through sentences practised one after another (Page Down, Page Up,
  // Space, Esc) before the text boxes do; `keyTaken` says whether it took the key, which is
  // then not typed.
  void setRunKeys(std::function<bool(int key)> keyTaken) { runKeys_ = std::move(keyTaken); }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void setUpWindow();
  QPlainTextEdit* createTextBox(const char* objectName, const QRect& twips, const QString& family,
                                const QColor& text, const QColor& background);
  void createControls();
  void write(QPlainTextEdit& box, std::optional<QString>& pending, const QString& text);
  void applyPendingTexts();

  platform::Twips twips_;
  QPlainTextEdit* sentenceBox_ = nullptr;
  QPushButton* frameButton_ = nullptr;
  QPlainTextEdit* translationBox_ = nullptr;
  // Texts written while the window was hidden, not yet laid out in the text boxes: a lesson is
  // read line by line into the hidden window, and only the last line can ever be seen.
  std::optional<QString> pendingSentence_;
  std::optional<QString> pendingTranslation_;
  std::function<bool(int key)> runKeys_;
};

}  // namespace lesson
