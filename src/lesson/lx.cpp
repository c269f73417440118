#include "lx.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <utility>

#include "platform/font_substitutions.h"
#include "platform/taskbar_hint.h"
#include "program_icon.h"

namespace lesson {
namespace {

// Measures of the form, in twips.
const QRect kClientArea(0, 0, 5655, 1215);
const QRect kText1(120, 120, 5415, 975);
const QRect kText2(120, 1440, 5415, 855);
constexpr int kPointSize = 18;

}  // namespace

lx::lx() : twips_(platform::Twips::ofScreen()) {
  platform::installFontSubstitutions();
  setUpWindow();
  createControls();
  // The window manager reads this when the window is first mapped.
  platform::keepOutOfTaskbar(*this);
}

// Frameless, but an ordinary window otherwise: not kept on top, and it may take the focus for
// typing.
void lx::setUpWindow() {
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setWindowTitle(QStringLiteral("英语学习"));
  setWindowIcon(programIcon());
  setFixedSize(twips_.toPixels(kClientArea).size());
}

QPlainTextEdit* lx::createTextBox(const QRect& twips, const QString& family, const QColor& text,
                                  const QColor& background) {
  auto* box = new QPlainTextEdit(this);
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

// Created from the bottom of the stacking order up: Text2, then Command1, then Text1 on top.
void lx::createControls() {
  text2_ = createTextBox(kText2, QStringLiteral("楷体_GB2312"), QColor(0xFF, 0xFF, 0xC0),
                         QColor(0x00, 0x80, 0x00));
  command1_ = new QPushButton(QStringLiteral("Command1"), this);
  command1_->setGeometry(twips_.toPixels(kClientArea));
  command1_->setAutoDefault(false);
  command1_->setDefault(false);
  text1_ = createTextBox(kText1, QStringLiteral("Arial"), QColor(0x00, 0xFF, 0x00),
                         QColor(0x00, 0x00, 0xC0));
  setTabOrder(text2_, command1_);
  setTabOrder(command1_, text1_);
  // The first place in the tab order takes the focus when the window is shown.
  text2_->setFocus();
}

QString lx::text1() const {
  return pendingText1_.value_or(text1_->toPlainText());
}

QString lx::text2() const {
  return pendingText2_.value_or(text2_->toPlainText());
}

void lx::setText1(const QString& text) {
  write(*text1_, pendingText1_, text);
}

void lx::setText2(const QString& text) {
  write(*text2_, pendingText2_, text);
}

void lx::write(QPlainTextEdit& box, std::optional<QString>& pending, const QString& text) {
  if (isVisible()) {
    box.setPlainText(text);
  } else {
    pending = text;
  }
}

void lx::applyPendingTexts() {
  if (pendingText1_) text1_->setPlainText(*std::exchange(pendingText1_, std::nullopt));
  if (pendingText2_) text2_->setPlainText(*std::exchange(pendingText2_, std::nullopt));
}

void lx::showEvent(QShowEvent* event) {
  applyPendingTexts();
  QWidget::showEvent(event);
}

void lx::Move(int leftTwips, int topTwips) {
  move(twips_.toPixelsX(leftTwips), twips_.toPixelsY(topTwips));
}

void lx::focusText1() {
  activateWindow();
  text1_->setFocus(Qt::OtherFocusReason);
}

}  // namespace lesson
