// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdlib>

#include "speech/audio_output.h"
#include "speech_test_support.h"

namespace character {
namespace {

TEST(AudioOutput, WithoutASoundServerTheMixerIsDrainedSilently) {
  // No sound server can be reached at this address, whatever runs on the machine.
  setenv("PULSE_SERVER", "unix:/nonexistent/speech-tests/native", 1);
  Mixer mixer;
  mixer.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
  AudioOutput output(mixer);
  output.start();
  EXPECT_TRUE(output.silent());

  mixer.play("vemo", std::make_shared<const Samples>(msToSamples(200), 1000));
  QElapsedTimer waited;
  waited.start();
  while (mixer.playing("vemo") && waited.elapsed() < 10000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  EXPECT_FALSE(mixer.playing("vemo"));
}

}  // namespace
}  // namespace character
