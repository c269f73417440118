// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QPushButton>

#include "help/click_label.h"
#include "help_test_support.h"
#include "platform/text_decoder.h"

namespace {

using help_test::HelpWindowTest;

const QColor kGreen(0, 128, 0);
const QColor kDarkBlue(0, 0, 192);

QColor textColour(const QWidget& control) {
  return control.palette().color(QPalette::WindowText);
}

// The font as the font system really gives it: "宋体" is found as AR PL UMing.
void expectSongTi(const QWidget& control, qreal pointSize, bool underlined) {
  const QFontInfo font(control.font());
  EXPECT_TRUE(font.family().startsWith("AR PL UMing")) << font.family().toStdString();
  EXPECT_DOUBLE_EQ(control.font().pointSizeF(), pointSize);
  EXPECT_EQ(font.weight(), QFont::Normal);
  EXPECT_FALSE(font.italic());
  EXPECT_EQ(font.underline(), underlined);
}

using HelpWindowLookTest = HelpWindowTest;

TEST_F(HelpWindowLookTest, WindowAndControlsHaveTheirPlacesTextsColoursAndFonts) {
  EXPECT_EQ(window_.size(), QSize(320, 280));
  EXPECT_FALSE(window_.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(window_.windowTitle(), "帮助");

  EXPECT_EQ(window_.closeButton()->geometry(), QRect(264, 248, 41, 25));
  EXPECT_EQ(window_.closeButton()->text(), "退出");
  expectSongTi(*window_.closeButton(), 10.5, false);

  EXPECT_EQ(window_.welcomeLabel()->geometry(), QRect(40, 0, 225, 25));
  EXPECT_EQ(window_.welcomeLabel()->text(), "澄木英语学习机欢迎你");
  EXPECT_TRUE(window_.welcomeLabel()->alignment() & Qt::AlignHCenter);
  EXPECT_EQ(textColour(*window_.welcomeLabel()), kGreen);
  expectSongTi(*window_.welcomeLabel(), 15.75, false);
  EXPECT_TRUE(window_.welcomeLabel()->isHidden()) << "created hidden";

  EXPECT_EQ(window_.usageLink()->geometry(), QRect(176, 256, 65, 17));
  EXPECT_EQ(window_.usageLink()->text(), "使用帮助");
  EXPECT_EQ(textColour(*window_.usageLink()), kGreen);
  expectSongTi(*window_.usageLink(), 12, true);

  EXPECT_EQ(window_.introductionLink()->geometry(), QRect(96, 256, 65, 17));
  EXPECT_EQ(window_.introductionLink()->text(), "软件介绍");
  EXPECT_EQ(textColour(*window_.introductionLink()), kGreen);
  expectSongTi(*window_.introductionLink(), 12, true);

  EXPECT_EQ(window_.textArea()->geometry(), QRect(16, 32, 305, 153));
  EXPECT_EQ(textColour(*window_.textArea()), kDarkBlue);
  EXPECT_TRUE(window_.textArea()->wordWrap());
  EXPECT_EQ(window_.textArea()->textFormat(), Qt::PlainText);
  EXPECT_EQ(window_.textArea()->alignment(), Qt::AlignLeft | Qt::AlignTop);
  expectSongTi(*window_.textArea(), 10.5, false);
}

TEST_F(HelpWindowLookTest, LinksLieAboveTheFullHeightTextAreaAndTakeTheClicks) {
  help_test::writeFile(QString::fromUtf8(help::kIntroductionFile), "intro");
  window_.showHelp();
  help_test::processEvents();
  ASSERT_EQ(window_.textArea()->geometry().bottom(), 256) << "reaches into the links' row";

  EXPECT_EQ(window_.childAt(100, 256), window_.introductionLink());
  EXPECT_EQ(window_.childAt(180, 256), window_.usageLink());
  EXPECT_EQ(window_.childAt(270, 256), window_.closeButton());
  EXPECT_EQ(window_.childAt(50, 256), window_.textArea());
}

TEST_F(HelpWindowLookTest, BackgroundIsAPalePictureDrawnUnscaledBehindTransparentLabels) {
  QImage background(":/help/help_background.jpg");
  ASSERT_EQ(background.size(), QSize(320, 280));
  background = background.convertToFormat(QImage::Format_RGB32);
  int darkest = 255;
  for (int y = 0; y < background.height(); ++y) {
    for (int x = 0; x < background.width(); ++x) {
      darkest = std::min(darkest, qGray(background.pixel(x, y)));
    }
  }
  EXPECT_GE(darkest, 200) << "dark blue and green text stay readable everywhere";

  const QImage shown = window_.grab().toImage().convertToFormat(QImage::Format_RGB32);
  for (const QPoint point : {QPoint(0, 0), QPoint(12, 100), QPoint(315, 275), QPoint(310, 150),
                             QPoint(20, 180), QPoint(300, 40)}) {
    EXPECT_EQ(shown.pixel(point), background.pixel(point)) << point.x() << "," << point.y();
  }
}

// The help texts that come with the program: code page 936 with CR LF line ends.
class HelpTextFileTest : public ::testing::TestWithParam<const char*> {
 protected:
  QByteArray bytes() const {
    QFile file(QStringLiteral(SOURCE_DIR "/data/") + QString::fromUtf8(GetParam()));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << GetParam();
    return file.readAll();
  }
};

TEST_P(HelpTextFileTest, IsCodePage936WithCrLfLineEnds) {
  const QByteArray text = bytes();
  ASSERT_FALSE(text.isEmpty());
  EXPECT_EQ(platform::detectEncoding(text), platform::TextEncoding::CodePage936);
  EXPECT_FALSE(platform::decodeText(text).contains(QChar::ReplacementCharacter));
  EXPECT_EQ(text.count("\r\n"), text.count('\n'));
  EXPECT_EQ(text.count("\r\n"), text.count('\r'));
  EXPECT_TRUE(text.endsWith("\r\n"));
}

INSTANTIATE_TEST_SUITE_P(ProgramData, HelpTextFileTest,
                         ::testing::Values(help::kIntroductionFile, help::kUsageFile));

TEST_F(HelpWindowLookTest, UsageGuideNamesEveryButtonAndBothTextsFitTheTextArea) {
  QDir::setCurrent(SOURCE_DIR "/data");
  window_.textArea()->resize(305, 225);
  window_.showHelpText(QString::fromUtf8(help::kIntroductionFile));
  EXPECT_LE(window_.textArea()->heightForWidth(305), 225);

  window_.showHelpText(QString::fromUtf8(help::kUsageFile));
  EXPECT_LE(window_.textArea()->heightForWidth(305), 225);
  const QString usage = window_.textArea()->text();
  for (const char* button : {"文", "读", "停", "短", "帮", "退", "~"}) {
    EXPECT_TRUE(usage.contains(QString::fromUtf8(button))) << button;
  }
}

}  // namespace
