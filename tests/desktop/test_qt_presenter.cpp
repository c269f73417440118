// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "desktop/qt_presenter.h"
#include "support/test_character.h"

namespace character {
namespace {

class QtPresenterTest : public ::testing::Test {
 protected:
  void SetUp() override { presenter.addCharacter(QStringLiteral("boy"), data); }
  CharacterWindow& window() { return *presenter.characterWindow(QStringLiteral("boy")); }
  BalloonWindow& balloon() { return *presenter.balloonWindow(QStringLiteral("boy")); }

  CharacterData data = testing_support::makeTestCharacter(QStringLiteral("boy"));
  QtPresenter presenter;
};

TEST_F(QtPresenterTest, TheCharacterWindowIsExactlyItsFrameAndTitledWithItsId) {
  presenter.setGeometry(QStringLiteral("boy"), QRect(80, 335, 100, 120));
  presenter.setVisible(QStringLiteral("boy"), true);
  EXPECT_TRUE(window().isVisible());
  EXPECT_EQ(window().geometry(), QRect(80, 335, 100, 120));
  EXPECT_EQ(window().windowTitle(), QStringLiteral("boy"));
  const Qt::WindowFlags flags = window().windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::FramelessWindowHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
  EXPECT_EQ(window().windowType(), Qt::Tool);
}

TEST_F(QtPresenterTest, APoseIsDrawnInsideTheFrameAndTheWindowIsCutOutToIt) {
  presenter.setPose(QStringLiteral("boy"), Pose{data.findAnimation(QStringLiteral("Greet")), 1});
  EXPECT_TRUE(window().frameImage().isNull()) << "a hidden character is drawn when shown";
  presenter.setVisible(QStringLiteral("boy"), true);
  const QImage& image = window().frameImage();
  ASSERT_EQ(image.size(), QSize(100, 120));
  EXPECT_EQ(qAlpha(image.pixel(50, 60)), 255) << "the test character's body";
  EXPECT_EQ(qAlpha(image.pixel(2, 2)), 0);
  EXPECT_TRUE(window().mask().contains(QPoint(50, 60)));
  EXPECT_FALSE(window().mask().contains(QPoint(2, 2)));
}

TEST_F(QtPresenterTest, AFileDroppedOnTheCharacterIsHandedOn) {
  QStringList dropped;
  presenter.setFileDropped([&dropped](const QString& path) { dropped << path; });
  QMimeData data;
  data.setUrls({QUrl(QStringLiteral("https://example.org/a.srt")),
                QUrl::fromLocalFile(QStringLiteral("/tmp/lesson.srt"))});
  QDragEnterEvent enter(QPoint(50, 60), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(50, 60), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window(), &drop);
  EXPECT_TRUE(drop.isAccepted());
  QCoreApplication::processEvents();
  EXPECT_EQ(dropped, QStringList{"/tmp/lesson.srt"});
}

TEST_F(QtPresenterTest, ResizingTheFrameRendersTheCharacterAtTheNewSize) {
  presenter.setVisible(QStringLiteral("boy"), true);
  presenter.setGeometry(QStringLiteral("boy"), QRect(300, 333, 130, 150));
  EXPECT_EQ(window().frameImage().size(), QSize(130, 150));
  EXPECT_EQ(window().geometry(), QRect(300, 333, 130, 150));
}

TEST_F(QtPresenterTest, TheBalloonShowsBesideTheCharacterAndGoesWithIt) {
  presenter.setGeometry(QStringLiteral("boy"), QRect(300, 300, 100, 120));
  presenter.setVisible(QStringLiteral("boy"), true);
  presenter.showBalloon(QStringLiteral("boy"), BalloonKind::Speech, QStringLiteral("Hello!"),
                        QStringLiteral("Hello!"));
  EXPECT_TRUE(balloon().isVisible());
  EXPECT_EQ(balloon().windowTitle(), QStringLiteral("boy says: Hello!"));
  EXPECT_EQ(balloon().geometry().bottom() + 1, 300);

  presenter.setGeometry(QStringLiteral("boy"), QRect(320, 310, 100, 120));
  EXPECT_EQ(balloon().geometry().bottom() + 1, 310);

  presenter.hideBalloon(QStringLiteral("boy"));
  EXPECT_FALSE(balloon().isVisible());
}

TEST_F(QtPresenterTest, HidingTheCharacterTakesItsBalloonAlong) {
  presenter.setVisible(QStringLiteral("boy"), true);
  presenter.showBalloon(QStringLiteral("boy"), BalloonKind::Thought, QStringLiteral("Hm"),
                        QStringLiteral("Hm"));
  presenter.setVisible(QStringLiteral("boy"), false);
  EXPECT_FALSE(window().isVisible());
  EXPECT_FALSE(balloon().isVisible());
}

TEST_F(QtPresenterTest, ARemovedCharacterHasNoWindowsAndLaterCallsAreIgnored) {
  presenter.removeCharacter(QStringLiteral("boy"));
  EXPECT_EQ(presenter.characterWindow(QStringLiteral("boy")), nullptr);
  presenter.setVisible(QStringLiteral("boy"), true);
  presenter.showBalloon(QStringLiteral("boy"), BalloonKind::Speech, QStringLiteral("x"),
                        QStringLiteral("x"));
  EXPECT_EQ(presenter.balloonWindow(QStringLiteral("boy")), nullptr);
}

bool hasRedText(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor pixel = image.pixelColor(x, y);
      if (pixel.red() > 150 && pixel.green() < 80 && pixel.blue() < 80) return true;
    }
  }
  return false;
}

// Marked words are drawn red, the rest as always; the title names the whole text.
TEST_F(QtPresenterTest, AMarkedBalloonDrawsItsMarkedWordsRed) {
  presenter.setGeometry(QStringLiteral("boy"), QRect(300, 300, 100, 120));
  presenter.setVisible(QStringLiteral("boy"), true);
  const QString text = QStringLiteral("I like green apples. (3/4)\nTry again.");
  presenter.showBalloon(QStringLiteral("boy"), BalloonKind::Speech, text, text);
  EXPECT_FALSE(hasRedText(balloon().image()));
  presenter.showMarkedBalloon(QStringLiteral("boy"), BalloonKind::Speech, text, text, {{7, 5}});
  EXPECT_TRUE(hasRedText(balloon().image()));
  EXPECT_EQ(balloon().windowTitle(), QStringLiteral("boy says: ") + text);
}

}  // namespace
}  // namespace character
