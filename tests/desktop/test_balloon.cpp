// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QGlyphRun>
#include <QGuiApplication>
#include <QRawFont>
#include <QScreen>
#include <QTextLayout>

#include "desktop/balloon_layout.h"
#include "desktop/balloon_text.h"
#include "desktop/balloon_window.h"

namespace character {
namespace {

const QString kLongText = QStringLiteral(
    "Good morning, everybody! Today we are going to read a short story about a little cat "
    "that found its way home after a long walk through the busy town.");

class BalloonTest : public ::testing::Test {
 protected:
  static QRect screenArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }
};

TEST_F(BalloonTest, LongTextWrapsIntoMoreLinesWithinTheWidth) {
  const BalloonText shortText(QStringLiteral("Hello!"), balloonFont());
  const BalloonText longText(kLongText, balloonFont());
  EXPECT_EQ(shortText.lineCount(), 1);
  EXPECT_GT(longText.lineCount(), 3);
  EXPECT_LE(longText.size().width(), kBalloonTextWidth);
  EXPECT_GT(longText.size().width(), kBalloonTextWidth / 2);
  EXPECT_GT(longText.size().height(), 3 * shortText.size().height());
  EXPECT_LT(shortText.size().width(), longText.size().width());
  EXPECT_EQ(BalloonText(QStringLiteral("Hi!\nYes!"), balloonFont()).lineCount(), 2);
}

TEST_F(BalloonTest, AWordLongerThanTheBalloonIsBrokenNotOverflowing) {
  const BalloonText unbroken(QString(80, QLatin1Char('W')), balloonFont());
  EXPECT_LE(unbroken.size().width(), kBalloonTextWidth);
  EXPECT_GT(unbroken.lineCount(), 1);
}

TEST_F(BalloonTest, ChineseTextIsDrawnWithAChineseFont) {
  QTextLayout layout(QStringLiteral("你好，让我们开始吧"), balloonFont());
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  const QList<QGlyphRun> runs = layout.glyphRuns();
  ASSERT_FALSE(runs.isEmpty());
  for (const QGlyphRun& run : runs) {
    EXPECT_EQ(run.rawFont().familyName(), QStringLiteral("AR PL UMing CN"));
    EXPECT_TRUE(run.rawFont().supportsCharacter(QChar(0x4F60)));
  }
}

TEST_F(BalloonTest, RevealedLengthFollowsTheTextShownSoFar) {
  const QString full = QStringLiteral("Hi!  I am Kaibo.");
  EXPECT_EQ(revealedLength(full, QString()), 0);
  EXPECT_EQ(revealedLength(full, QStringLiteral("Hi!  I")), 6);
  EXPECT_EQ(revealedLength(full, QStringLiteral("Hi! I am")), 4)
      << "never more than the full text begins with";
  EXPECT_EQ(revealedLength(full, full), full.size());
}

TEST_F(BalloonTest, ABalloonStandsAboveTheCharacterWithItsTailPointingAtIt) {
  const QRect screen(0, 0, 800, 600);
  const QRect character(300, 300, 100, 120);
  const BalloonGeometry placed =
      placeBalloon(BalloonKind::Speech, QSize(150, 40), character, screen);
  EXPECT_FALSE(placed.below);
  EXPECT_EQ(placed.window.bottom() + 1, character.top());
  EXPECT_NEAR(placed.window.center().x(), character.center().x(), 1) << "centred on it";
  EXPECT_EQ(placed.window.left() + placed.tailTip.x(), character.center().x());
  EXPECT_EQ(placed.tailTip.y(), placed.window.height() - 1);
  EXPECT_TRUE(placed.body.contains(placed.text));
  EXPECT_EQ(placed.text.size(), QSize(150, 40));
}

TEST_F(BalloonTest, WithoutRoomAboveTheBalloonHangsBelow) {
  const QRect screen(0, 0, 800, 600);
  const QRect character(300, 10, 100, 120);
  const BalloonGeometry placed =
      placeBalloon(BalloonKind::Thought, QSize(150, 40), character, screen);
  EXPECT_TRUE(placed.below);
  EXPECT_EQ(placed.window.top(), character.bottom() + 1);
  EXPECT_EQ(placed.tailTip.y(), 0);
}

TEST_F(BalloonTest, ATinyTextStillGetsARoomyBalloonWithItsTextInTheMiddle) {
  const QRect character(300, 300, 100, 120);
  for (BalloonKind kind : {BalloonKind::Speech, BalloonKind::Thought}) {
    const BalloonGeometry placed = placeBalloon(kind, QSize(4, 16), character, screenArea());
    EXPECT_GE(placed.body.width(), 48);
    EXPECT_NEAR(placed.text.center().x(), placed.body.center().x(), 1);
    EXPECT_TRUE(placed.body.contains(placed.text));
  }
  BalloonWindow balloon(QStringLiteral("boy"));
  balloon.showText(BalloonKind::Speech, QStringLiteral("!"), QStringLiteral("!"), character);
  const BalloonGeometry& shown = balloon.geometryOnScreen();
  EXPECT_EQ(qAlpha(balloon.image().pixel(shown.tailTip)), 255) << "the tail reaches its tip";
}

// Characters near every edge and corner of the screen, and partly beyond it.
TEST_F(BalloonTest, ABalloonStaysOnTheScreenNearEveryEdge) {
  const QRect screen(0, 24, 800, 576);
  const QSize textSize(220, 90);
  const QSize frame(130, 150);
  for (int x : {-60, 0, 330, 700, 760}) {
    for (int y : {-40, 24, 200, 450, 540}) {
      for (BalloonKind kind : {BalloonKind::Speech, BalloonKind::Thought}) {
        SCOPED_TRACE(QStringLiteral("%1 balloon of a character at %2, %3")
                         .arg(kind == BalloonKind::Speech ? "speech" : "thought")
                         .arg(x)
                         .arg(y)
                         .toStdString());
        const BalloonGeometry placed =
            placeBalloon(kind, textSize, QRect(QPoint(x, y), frame), screen);
        EXPECT_TRUE(screen.contains(placed.window)) << x << "," << y << " " << int(kind);
        EXPECT_TRUE(QRect(QPoint(0, 0), placed.window.size()).contains(placed.tailTip));
      }
    }
  }
}

// The sentence window just above a character low on the screen: no room above it nor below it.
TEST_F(BalloonTest, ABalloonKeepsClearOfTheProgramsWindowsWhileStayingOnTheScreen) {
  const QRect screen(0, 0, 800, 600);
  const QRect bar(0, 0, 800, 20);
  const QRect sentenceWindow(150, 300, 500, 140);
  const QRect character(300, 440, 100, 150);
  for (BalloonKind kind : {BalloonKind::Speech, BalloonKind::Thought}) {
    const BalloonGeometry usual = placeBalloon(kind, QSize(150, 40), character, screen);
    ASSERT_TRUE(usual.window.intersects(sentenceWindow));
    const BalloonGeometry barOnly = placeBalloon(kind, QSize(150, 40), character, screen, {bar});
    EXPECT_EQ(barOnly.window, usual.window) << "the usual place when it covers nothing";
    EXPECT_EQ(barOnly.tailTip, usual.tailTip);

    const BalloonGeometry placed =
        placeBalloon(kind, QSize(150, 40), character, screen, {bar, sentenceWindow});
    EXPECT_TRUE(screen.contains(placed.window));
    EXPECT_FALSE(placed.window.intersects(sentenceWindow));
    EXPECT_FALSE(placed.window.intersects(bar));
    EXPECT_FALSE(placed.window.intersects(character));
    EXPECT_TRUE(QRect(QPoint(0, 0), placed.window.size()).contains(placed.tailTip));
  }
}

TEST_F(BalloonTest, TheWindowIsTitledWithTheWholeTextAndCutOutToItsShape) {
  BalloonWindow balloon(QStringLiteral("boy"));
  const QRect character(300, 300, 100, 120);
  balloon.showText(BalloonKind::Speech, QStringLiteral("Hello! How are you?"),
                   QStringLiteral("Hello!"), character);
  EXPECT_EQ(balloon.windowTitle(), QStringLiteral("boy says: Hello! How are you?"));
  EXPECT_TRUE(balloon.isVisible());
  EXPECT_EQ(balloon.geometry(), balloon.geometryOnScreen().window);

  const QImage& image = balloon.image();
  EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "rounded corner is clear";
  EXPECT_EQ(qAlpha(image.pixel(image.width() - 1, 0)), 0);
  EXPECT_EQ(qAlpha(image.pixel(image.width() / 2, 10)), 255) << "inside the box";
  EXPECT_FALSE(balloon.mask().contains(QPoint(0, 0)));
  EXPECT_TRUE(balloon.mask().contains(QPoint(image.width() / 2, 10)));
  EXPECT_TRUE(balloon.testAttribute(Qt::WA_ShowWithoutActivating));
  EXPECT_TRUE(balloon.windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));

  balloon.showText(BalloonKind::Thought, QStringLiteral(" 你 好 !"), QStringLiteral(" 你 好 !"),
                   character);
  EXPECT_EQ(balloon.windowTitle(), QStringLiteral("boy thinks:  你 好 !"));
}

TEST_F(BalloonTest, RevealingWordsDrawsMoreTextButKeepsTheSize) {
  BalloonWindow balloon(QStringLiteral("girl"));
  const QRect character(300, 300, 130, 150);
  balloon.showText(BalloonKind::Speech, kLongText, QString(), character);
  const QRect emptyGeometry = balloon.geometry();
  const QImage empty = balloon.image();
  balloon.showText(BalloonKind::Speech, kLongText, kLongText.left(30), character);
  EXPECT_EQ(balloon.geometry(), emptyGeometry);
  EXPECT_NE(balloon.image(), empty);
  EXPECT_LE(emptyGeometry.width(), kBalloonTextWidth + 40);
}

TEST_F(BalloonTest, TheBalloonFollowsItsCharacter) {
  BalloonWindow balloon(QStringLiteral("vemo"));
  balloon.showText(BalloonKind::Speech, QStringLiteral("Hi!"), QStringLiteral("Hi!"),
                   QRect(300, 300, 100, 120));
  const QRect before = balloon.geometry();
  balloon.followCharacter(QRect(350, 320, 100, 120));
  EXPECT_EQ(balloon.geometry(), before.translated(50, 20));
}

}  // namespace
}  // namespace character
