// SPDX-License-Identifier: GPL-3.0-or-later
#include "sentence_window.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <utility>

#include "platform/font_substitutions.h"
#include "platform/memory_at_rest.h"
#include "platform/taskbar_hint.h"

namespace lesson {
namespace {

// Measures of the form, in twips.
const QRect kClientArea(0, 0, 5655, 1215);
const QRect kSentenceBox(120, 120, 5415, 975);
const QRect kTranslationBox(120, 1440, 5415, 855);
constexpr int kPointSize = 18;

}  // namespace

SentenceWindow::SentenceWindow() : twips_(platform::Twips::ofScreen()) {
  platform::installFontSubstitutions();
  setUpWindow();
  createControls();
  for (QWidget* control : {static_cast<QWidget*>(sentenceBox_), static_cast<QWidget*>(frameButton_),
                           static_cast<QWidget*>(translationBox_)}) {
    control->installEventFilter(this);
  }
  platform::keepOutOfTaskbar(*this);
}

bool SentenceWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !runKeys_) return QWidget::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  const bool runKey = key == Qt::Key_PageDown || key == Qt::Key_PageUp || key == Qt::Key_Space ||
                      key == Qt::Key_Escape;
  return (runKey && runKeys_(key)) || QWidget::eventFilter(watched, event);
}

// Frameless, but an ordinary window otherwise: not kept on top, and it may take the focus for
// typing. Its icon is the application's.
void SentenceWindow::setUpWindow() {
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setObjectName(QStringLiteral("lx"));
  setWindowTitle(QStringLiteral("英语学习"));
  setFixedSize(twips_.toPixels(kClientArea).size());
}

QPlainTextEdit* SentenceWindow::createTextBox(const char* objectName, const QRect& twips,
                                              const QString& family, const QColor& text,
                                              const QColor& background) {
  auto* box = new QPlainTextEdit(this);
  box->setObjectName(QString::fromLatin1(objectName));
  box->setGeometry(twips_.toPixels(twips));
  box->setFont(QFont(family, kPointSize, QFont::Normal));
  QPalette palette = box->palette();
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::Base, background);
  box->setPalette(palette);
  box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Tab moves on to the next control, as in any form, instead of typing a tab.
  box->setTabChangesFocus(true);
  return box;
}

// Created from the bottom of the stacking order up: the translation box, then the frame
// button, then the sentence box on top.
void SentenceWindow::createControls() {
  translationBox_ = createTextBox("Text2", kTranslationBox, QStringLiteral("楷体_GB2312"),
                                  QColor(0xFF, 0xFF, 0xC0), QColor(0x00, 0x80, 0x00));
  frameButton_ = new QPushButton(QStringLiteral("Command1"), this);
  frameButton_->setObjectName(QStringLiteral("Command1"));
  frameButton_->setGeometry(twips_.toPixels(kClientArea));
  frameButton_->setAutoDefault(false);
  frameButton_->setDefault(false);
  sentenceBox_ = createTextBox("Text1", kSentenceBox, QStringLiteral("Arial"),
                               QColor(0x00, 0xFF, 0x00), QColor(0x00, 0x00, 0xC0));
  setTabOrder(translationBox_, frameButton_);
  setTabOrder(frameButton_, sentenceBox_);
  // The first place in the tab order takes the focus when the window is shown.
  translationBox_->setFocus();
}

QString SentenceWindow::sentence() const {
  return pendingSentence_.value_or(sentenceBox_->toPlainText());
}

QString SentenceWindow::translation() const {
  return pendingTranslation_.value_or(translationBox_->toPlainText());
}

void SentenceWindow::setSentence(const QString& text) {
  write(*sentenceBox_, pendingSentence_, text);
}

void SentenceWindow::setTranslation(const QString& text) {
  write(*translationBox_, pendingTranslation_, text);
}

void SentenceWindow::write(QPlainTextEdit& box, std::optional<QString>& pending,
                           const QString& text) {
  if (isVisible()) {
    box.setPlainText(text);
  } else {
    pending = text;
  }
}

void SentenceWindow::applyPendingTexts() {
  if (pendingSentence_) sentenceBox_->setPlainText(*std::exchange(pendingSentence_, std::nullopt));
  if (pendingTranslation_) {
    translationBox_->setPlainText(*std::exchange(pendingTranslation_, std::nullopt));
  }
}

void SentenceWindow::showEvent(QShowEvent* event) {
  applyPendingTexts();
  QWidget::showEvent(event);
}

void SentenceWindow::moveTo(int leftTwips, int topTwips) {
  move(twips_.toPixelsX(leftTwips), twips_.toPixelsY(topTwips));
}

void SentenceWindow::focusSentenceBox() {
  activateWindow();
  sentenceBox_->setFocus(Qt::OtherFocusReason);
}

void SentenceWindow::showForTyping(int leftTwips, int topTwips) {
  moveTo(leftTwips, topTwips);
  show();
  raise();
  focusSentenceBox();
}

// The translation's Chinese font is large and drawn nowhere else.
void SentenceWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  platform::releaseMemoryAtRest();
}

}  // namespace lesson
