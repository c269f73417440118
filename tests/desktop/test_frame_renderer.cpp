// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>

#include "desktop/frame_composer.h"
#include "desktop/frame_renderer.h"

namespace character {
namespace {

// A character standing in a 100 x 200 design space: a round body with a head, an arm that a
// keyframe swings up, and a mouth with the four speaking shapes.
CharacterData makeFigure() {
  CharacterData data;
  data.id = QStringLiteral("figure");
  data.designWidth = 100;
  data.designHeight = 200;
  data.width = 100;
  data.height = 200;
  Part body{QStringLiteral("body"), QPointF(50, 100), QStringLiteral("plain"), {}};
  body.variants[QStringLiteral("plain")] = QStringLiteral(
      "<ellipse cx='50' cy='120' rx='30' ry='70' fill='#2050c0'/>"
      "<circle cx='50' cy='35' r='25' fill='#f0c090'/>");
  Part arm{QStringLiteral("arm"), QPointF(88, 90), QStringLiteral("down"), {}};
  arm.variants[QStringLiteral("down")] =
      QStringLiteral("<rect x='84' y='90' width='8' height='50' fill='#2050c0'/>");
  Part mouth{QStringLiteral("mouth"), QPointF(50, 45), QStringLiteral("closed"), {}};
  mouth.variants[QStringLiteral("closed")] =
      QStringLiteral("<rect x='42' y='44' width='16' height='2' fill='#802020'/>");
  mouth.variants[QStringLiteral("open")] =
      QStringLiteral("<ellipse cx='50' cy='46' rx='7' ry='5' fill='#802020'/>");
  mouth.variants[QStringLiteral("wide")] =
      QStringLiteral("<rect x='38' y='42' width='24' height='8' fill='#802020'/>");
  mouth.variants[QStringLiteral("round")] =
      QStringLiteral("<circle cx='50' cy='46' r='4' fill='#802020'/>");
  mouth.variants[QStringLiteral("hidden")] = QString();
  data.parts = {body, arm, mouth};

  Animation wave;
  wave.name = QStringLiteral("Greet");
  Keyframe still{100, {}};
  Keyframe raised{100, {}};
  raised.parts[QStringLiteral("arm")] = PartPose{QString(), 0, -10, -150};
  wave.frames = {still, raised};
  data.animations = {wave};
  return data;
}

bool isBinaryAlpha(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const int alpha = qAlpha(image.pixel(x, y));
      if (alpha != 0 && alpha != 255) return false;
    }
  }
  return true;
}

class FrameRendererTest : public ::testing::Test {
 protected:
  CharacterData data = makeFigure();
  Pose poseOf(int frameIndex) const { return Pose{&data.animations[0], frameIndex}; }
};

TEST(FrameComposer, WrapsEveryDrawnPartInItsKeyframeTransform) {
  const CharacterData data = makeFigure();
  const QString svg = composeFrameSvg(data, Pose{&data.animations[0], 1});
  EXPECT_TRUE(svg.startsWith(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
      "viewBox=\"0 0 100 200\">"));
  EXPECT_TRUE(svg.contains("<g transform=\"translate(0,-10) rotate(-150,88,90)\"><rect x='84'"));
  EXPECT_TRUE(svg.contains("<g transform=\"translate(0,0) rotate(0,50,100)\"><ellipse"));
  EXPECT_LT(svg.indexOf("ellipse cx='50' cy='120'"), svg.indexOf("rect x='84'"))
      << "parts keep their drawing order";
}

TEST(FrameComposer, SpeakingShowsTheMouthShapeAndAnEmptyVariantIsNotDrawn) {
  CharacterData data = makeFigure();
  const QString closed = composeFrameSvg(data, Pose{});
  EXPECT_TRUE(closed.contains("width='16' height='2'"));

  const QString speaking = composeFrameSvg(data, Pose{nullptr, 0, true, MouthShape::Wide});
  EXPECT_TRUE(speaking.contains("width='24' height='8'"));
  EXPECT_FALSE(speaking.contains("width='16' height='2'"));

  data.animations[0].frames[0].parts[QStringLiteral("mouth")].variant = QStringLiteral("hidden");
  const QString hidden = composeFrameSvg(data, Pose{&data.animations[0], 0});
  EXPECT_EQ(hidden.count("<g "), 2) << "body and arm only";
}

TEST(FrameComposer, AnUnknownVariantOrAFrameOutOfRangeFallsBackSafely) {
  CharacterData data = makeFigure();
  data.animations[0].frames[1].parts[QStringLiteral("arm")].variant = QStringLiteral("nosuch");
  const QString svg = composeFrameSvg(data, Pose{&data.animations[0], 7});
  EXPECT_TRUE(svg.contains("rotate(-150,88,90)\"><rect x='84'")) << "last frame, default arm";
}

TEST_F(FrameRendererTest, TheCharacterIsOpaqueInsideItsShapeAndClearOutside) {
  FrameRenderer renderer(data);
  const RenderedFrame frame = renderer.render(poseOf(0), QSize(100, 200));
  ASSERT_EQ(frame.image.size(), QSize(100, 200));
  EXPECT_TRUE(isBinaryAlpha(frame.image));
  EXPECT_EQ(qAlpha(frame.image.pixel(50, 120)), 255) << "body";
  EXPECT_EQ(qAlpha(frame.image.pixel(50, 35)), 255) << "head";
  for (const QPoint corner : {QPoint(0, 0), QPoint(99, 0), QPoint(0, 199), QPoint(99, 199)}) {
    EXPECT_EQ(qAlpha(frame.image.pixel(corner)), 0) << corner.x() << "," << corner.y();
  }
  EXPECT_TRUE(frame.shape.contains(QPoint(50, 120)));
  EXPECT_FALSE(frame.shape.contains(QPoint(2, 2)));
  EXPECT_FALSE(frame.shape.contains(QPoint(10, 120))) << "beside the body";
}

TEST_F(FrameRendererTest, KeyframesAndMouthShapesGiveDifferentPictures) {
  FrameRenderer renderer(data);
  const QSize size(100, 200);
  const QImage still = renderer.render(poseOf(0), size).image;
  const QImage raised = renderer.render(poseOf(1), size).image;
  EXPECT_NE(still, raised);
  EXPECT_EQ(qAlpha(still.pixel(88, 130)), 255) << "arm hangs down";
  EXPECT_EQ(qAlpha(raised.pixel(88, 130)), 0) << "arm is up";

  Pose speaking = poseOf(0);
  speaking.speaking = true;
  speaking.mouth = MouthShape::Open;
  EXPECT_NE(renderer.render(speaking, size).image, still);
  speaking.mouth = MouthShape::Round;
  EXPECT_NE(renderer.render(speaking, size).image, renderer.render(poseOf(0), size).image);
}

TEST_F(FrameRendererTest, TheDesignFitsTheFrameStandingOnTheBottomEdge) {
  const QRectF wide = designPlacement(data, QSize(200, 200));
  EXPECT_EQ(wide, QRectF(50, 0, 100, 200)) << "centred across";
  const QRectF tall = designPlacement(data, QSize(100, 300));
  EXPECT_EQ(tall, QRectF(0, 100, 100, 200)) << "on the bottom edge";

  FrameRenderer renderer(data);
  const QImage image = renderer.render(poseOf(0), QSize(100, 300)).image;
  EXPECT_EQ(qAlpha(image.pixel(50, 40)), 0) << "nothing above the head";
  EXPECT_EQ(qAlpha(image.pixel(50, 280)), 255) << "the body at the bottom";
}

TEST_F(FrameRendererTest, APartMovedOutOfTheViewBoxIsNotSeen) {
  data.animations[0].frames[1].parts[QStringLiteral("body")] = PartPose{QString(), 60, 0, 0};
  FrameRenderer renderer(data);
  const QImage image = renderer.render(poseOf(1), QSize(300, 200)).image;
  EXPECT_EQ(qAlpha(image.pixel(220, 120)), 0) << "the body moved right, beyond the design space";
  EXPECT_EQ(qAlpha(image.pixel(195, 120)), 255) << "what stayed inside is drawn";
  EXPECT_EQ(qAlpha(image.pixel(150, 120)), 0) << "and it left its place";
}

TEST_F(FrameRendererTest, ACachedFrameIsTheSameAndEachSizeRendersOnItsOwn) {
  FrameRenderer renderer(data);
  const RenderedFrame first = renderer.render(poseOf(1), QSize(100, 200));
  const RenderedFrame again = renderer.render(poseOf(1), QSize(100, 200));
  EXPECT_EQ(first.image.constBits(), again.image.constBits()) << "served from the cache";
  EXPECT_EQ(renderer.render(poseOf(1), QSize(50, 100)).image.size(), QSize(50, 100));
}

// The resting loop is drawn whole, alike frames share a picture, and it stays however many
// other frames come and go.
TEST_F(FrameRendererTest, TheRestingLoopIsDrawnOnceAndKept) {
  CharacterData resting = data;
  Animation rest = resting.animations[0];
  rest.name = animation_names::kRest;
  rest.frames.push_back(rest.frames[0]);
  resting.animations.push_back(rest);
  const Animation* loop = &resting.animations.back();
  FrameRenderer renderer(resting);
  const QSize size(100, 200);
  const RenderedFrame open = renderer.render(Pose{loop, 2}, size);
  EXPECT_EQ(renderer.render(Pose{loop, 0}, size).image.constBits(), open.image.constBits());
  const RenderedFrame raised = renderer.render(Pose{loop, 1}, size);
  EXPECT_NE(raised.image, open.image);
  for (int grow = 1; grow <= 40; ++grow) {
    renderer.render(Pose{&resting.animations[0], 1}, size + QSize(grow, grow));
  }
  EXPECT_EQ(renderer.render(Pose{loop, 1}, size).image.constBits(), raised.image.constBits());
  EXPECT_EQ(renderer.render(Pose{loop, 0}, size).image.constBits(), open.image.constBits());
}

TEST_F(FrameRendererTest, OnAScaledDisplayThePictureHasMorePixelsAndTheShapeStaysLogical) {
  FrameRenderer renderer(data);
  const RenderedFrame frame = renderer.render(poseOf(0), QSize(100, 200), 2.0);
  EXPECT_EQ(frame.image.size(), QSize(200, 400));
  EXPECT_EQ(frame.image.devicePixelRatio(), 2.0);
  EXPECT_TRUE(isBinaryAlpha(frame.image));
  EXPECT_EQ(qAlpha(frame.image.pixel(100, 240)), 255) << "the body, in device pixels";
  EXPECT_TRUE(QRect(0, 0, 100, 200).contains(frame.shape.boundingRect()));
  EXPECT_TRUE(frame.shape.contains(QPoint(50, 120)));
  EXPECT_FALSE(frame.shape.contains(QPoint(10, 120)));
  EXPECT_NE(renderer.render(poseOf(0), QSize(100, 200)).image.size(), frame.image.size())
      << "each ratio is cached on its own";
}

TEST_F(FrameRendererTest, AnEmptyFrameSizeRendersNothingWithoutFailing) {
  FrameRenderer renderer(data);
  const RenderedFrame frame = renderer.render(poseOf(0), QSize(0, 0));
  EXPECT_TRUE(frame.image.isNull());
  EXPECT_TRUE(frame.shape.isEmpty());
}

}  // namespace
}  // namespace character
