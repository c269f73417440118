#pragma once

#include <QWidget>
#include <optional>

#include "platform/twips.h"
#include "sentence_window.h"

class QPlainTextEdit;
class QPushButton;

namespace lesson {

// The sentence window: a small frameless window whose text box Text1 carries the current
// English sentence (and takes the learner's own sentence), over a push button Command1 that
// frames it and does nothing. Text2, below the visible area, carries the translation. A single
// instance owned by the toolbar form, created hidden, hidden and shown again, never destroyed.
class lx : public QWidget, public SentenceWindow {
  Q_OBJECT

 public:
  lx();

  // The controls. While the window is hidden their texts may lag behind text1() and text2();
  // showing the window brings them up to date.
  QPlainTextEdit* Text1() const { return text1_; }
  QPushButton* Command1() const { return command1_; }
  QPlainTextEdit* Text2() const { return text2_; }

  QString text1() const override;
  QString text2() const override;
  void setText1(const QString& text) override;
  void setText2(const QString& text) override;
  void hideWindow() override { hide(); }

  // Places the window's top-left corner on the screen, in twips; the size stays.
  void Move(int leftTwips, int topTwips);
  // Puts the keyboard focus and the caret into Text1, keeping its text.
  void focusText1();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void setUpWindow();
  QPlainTextEdit* createTextBox(const QRect& twips, const QString& family, const QColor& text,
                                const QColor& background);
  void createControls();
  void write(QPlainTextEdit& box, std::optional<QString>& pending, const QString& text);
  void applyPendingTexts();

  platform::Twips twips_;
  QPlainTextEdit* text1_ = nullptr;
  QPushButton* command1_ = nullptr;
  QPlainTextEdit* text2_ = nullptr;
  // Texts written while the window was hidden, not yet laid out in the text boxes: a lesson is
  // read line by line into the hidden window, and only the last line can ever be seen.
  std::optional<QString> pendingText1_;
  std::optional<QString> pendingText2_;
};

}  // namespace lesson
