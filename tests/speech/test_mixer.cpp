// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "character/clock.h"
#include "speech/mixer.h"
#include "speech/timer_drain.h"

namespace character {
namespace {

std::shared_ptr<const Samples> constantClip(std::size_t length, std::int16_t value) {
  return std::make_shared<const Samples>(length, value);
}

class MixerTest : public ::testing::Test {
 protected:
  MixerTest() { mixer.open(QIODevice::ReadOnly | QIODevice::Unbuffered); }

  Samples read(std::size_t count) {
    Samples out(count);
    const qint64 bytes = mixer.read(reinterpret_cast<char*>(out.data()),
                                    static_cast<qint64>(count * sizeof(std::int16_t)));
    EXPECT_EQ(bytes, static_cast<qint64>(count * sizeof(std::int16_t)));
    return out;
  }

  Mixer mixer;
};

TEST_F(MixerTest, TwoChannelsAtOnceBothReachTheOutput) {
  mixer.play("boy", constantClip(100, 1000));
  mixer.play("girl", constantClip(50, 300));
  const Samples out = read(120);
  EXPECT_EQ(out[0], 1300);
  EXPECT_EQ(out[49], 1300);
  EXPECT_EQ(out[50], 1000);
  EXPECT_EQ(out[99], 1000);
  EXPECT_EQ(out[100], 0);
  EXPECT_FALSE(mixer.playing("boy"));
  EXPECT_FALSE(mixer.playing("girl"));
}

TEST_F(MixerTest, StopCutsOneChannelAndNotTheOther) {
  mixer.play("boy", constantClip(1000, 1000));
  mixer.play("girl", constantClip(1000, 300));
  read(10);
  mixer.stop("boy");
  const Samples out = read(10);
  EXPECT_EQ(out[0], 300);
  EXPECT_FALSE(mixer.playing("boy"));
  EXPECT_TRUE(mixer.playing("girl"));
}

TEST_F(MixerTest, PlayingCutsWhatTheChannelPlayed) {
  mixer.play("vemo", constantClip(1000, 1000));
  read(10);
  mixer.play("vemo", constantClip(1000, 7));
  EXPECT_EQ(read(1)[0], 7);
}

TEST_F(MixerTest, LoudChannelsAreClippedNotWrapped) {
  mixer.play("boy", constantClip(10, 30000));
  mixer.play("girl", constantClip(10, 30000));
  EXPECT_EQ(read(1)[0], 32767);
  mixer.play("boy", constantClip(10, -30000));
  mixer.play("girl", constantClip(10, -30000));
  EXPECT_EQ(read(1)[0], -32768);
}

TEST_F(MixerTest, SilenceWhenNothingPlays) {
  const Samples out = read(256);
  EXPECT_EQ(out, Samples(256, 0));
  EXPECT_GE(mixer.bytesAvailable(), 256);
}

TEST_F(MixerTest, ObserverHearsTheFirstFrameOfEachClipOnce) {
  std::vector<QString> heard;
  mixer.setFirstFrameObserver([&](const QString& channel) { heard.push_back(channel); });
  read(5);
  mixer.play("girl", constantClip(100, 1));
  read(5);
  read(5);
  EXPECT_EQ(heard, std::vector<QString>{"girl"});
}

TEST_F(MixerTest, TimerDrainEndsEachClipWithinTwentyMillisecondsOfItsLength) {
  VirtualClock clock;
  TimerDrain drain(mixer, clock);
  for (const int lengthMs : {1000, 333, 2517}) {
    SCOPED_TRACE(lengthMs);
    const std::int64_t startMs = clock.nowMs();
    mixer.play("boy", std::make_shared<const Samples>(msToSamples(lengthMs), 100));
    while (mixer.playing("boy") && clock.nowMs() - startMs < 10000) {
      clock.advance(TimerDrain::kIntervalMs);
      drain.pump();
    }
    EXPECT_NEAR(clock.nowMs() - startMs, lengthMs, 20);
  }
}

TEST_F(MixerTest, TimerDrainKeepsPaceWhenTicksComeLate) {
  VirtualClock clock;
  TimerDrain drain(mixer, clock);
  mixer.play("girl", std::make_shared<const Samples>(msToSamples(500), 100));
  clock.advance(490);
  drain.pump();
  EXPECT_TRUE(mixer.playing("girl"));
  clock.advance(15);
  drain.pump();
  EXPECT_FALSE(mixer.playing("girl"));
}

TEST_F(MixerTest, TimerDrainRunsOnlyWhileAClipPlays) {
  VirtualClock clock;
  TimerDrain drain(mixer, clock);
  drain.start();
  EXPECT_FALSE(drain.running());
  mixer.play("boy", std::make_shared<const Samples>(msToSamples(100), 100));
  EXPECT_TRUE(drain.running());
  clock.advance(110);
  drain.pump();
  EXPECT_FALSE(mixer.playing("boy"));
  EXPECT_FALSE(drain.running());
  // After a rest the pace starts again from the new clip, not from the last one.
  clock.advance(5000);
  mixer.play("girl", std::make_shared<const Samples>(msToSamples(300), 100));
  clock.advance(290);
  drain.pump();
  EXPECT_TRUE(mixer.playing("girl"));
  clock.advance(15);
  drain.pump();
  EXPECT_FALSE(mixer.playing("girl"));
}

}  // namespace
}  // namespace character
