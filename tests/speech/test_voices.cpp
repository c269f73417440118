// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>
#include <cmath>

#include "speech/espeak_synthesizer.h"
#include "speech/festival_synthesizer.h"
#include "speech/flite_synthesizer.h"
#include "speech/speech_synthesis.h"
#include "speech_test_support.h"

namespace character {
namespace {

using testing::builtCharacter;
using testing::RecordingSynthesizer;
using testing::rootMeanSquare;

class Voices : public ::testing::Test {
 protected:
  FliteSynthesizer flite;
  FestivalSynthesizer festival;
  EspeakSynthesizer espeak;
  RecordingSynthesizer recordedFlite{flite};
  RecordingSynthesizer recordedFestival{festival};
  RecordingSynthesizer recordedEspeak{espeak};
  SynthesizerTable engines{
      {"flite", &recordedFlite}, {"festival", &recordedFestival}, {"espeak-ng", &recordedEspeak}};

  SpokenText say(const QString& characterId, const QString& text) {
    const CharacterData& speaker = builtCharacter(characterId);
    return synthesizeText(text, speaker.voice, speaker.chineseVoice, engines);
  }
};

void expectWordTimesIncreasingWithin(const Utterance& utterance, std::size_t wordCount) {
  ASSERT_EQ(utterance.words.size(), wordCount);
  int previousStart = -1;
  for (const WordTiming& word : utterance.words) {
    EXPECT_GT(word.startMs, previousStart);
    EXPECT_GE(word.endMs, word.startMs);
    EXPECT_LE(word.endMs, utterance.durationMs);
    previousStart = word.startMs;
  }
}

void expectMouthMovesInTime(const Utterance& utterance) {
  ASSERT_GE(utterance.mouth.size(), 3u);
  for (std::size_t i = 1; i < utterance.mouth.size(); ++i) {
    EXPECT_GE(utterance.mouth[i].startMs, utterance.mouth[i - 1].startMs);
  }
  EXPECT_EQ(utterance.mouth.back().shape, MouthShape::Closed);
}

TEST_F(Voices, EachCharacterSaysASentenceAloudWithWordTimesInsideTheAudio) {
  const QString sentence = QStringLiteral("Good morning, how are you today?");
  for (const QString id : {"boy", "girl", "vemo"}) {
    SCOPED_TRACE(id.toStdString());
    const SpokenText spoken = say(id, sentence);
    EXPECT_GT(rootMeanSquare(spoken.samples), 500);
    EXPECT_EQ(spoken.utterance.durationMs, samplesToMs(spoken.samples.size()));
    EXPECT_GT(spoken.utterance.durationMs, 6 * 150);
    EXPECT_LT(spoken.utterance.durationMs, 6 * 800);
    expectWordTimesIncreasingWithin(spoken.utterance, 6);
    expectMouthMovesInTime(spoken.utterance);
  }
  EXPECT_TRUE(recordedEspeak.texts().empty());
}

// Resident memory of the mappings of the library whose file name contains `namePart`, in KiB.
int residentKiB(const QByteArray& namePart) {
  QFile smaps(QStringLiteral("/proc/self/smaps"));
  if (!smaps.open(QIODevice::ReadOnly)) return -1;
  int total = 0;
  bool inLibrary = false;
  for (const QByteArray& line : smaps.readAll().split('\n')) {
    if (!line.isEmpty() && QByteArray("0123456789abcdef").contains(line[0]) && line.contains('-')) {
      inLibrary = line.contains(namePart);
    } else if (inLibrary && line.startsWith("Rss:")) {
      total += line.mid(4).trimmed().split(' ').first().toInt();
    }
  }
  return total;
}

TEST_F(Voices, AVoiceHoldsItsTablesOnlyWhileItSpeaksAndSaysTheSameAfterwards) {
  const QString sentence = QStringLiteral("Good morning, how are you today?");
  const SpokenText first = say("vemo", sentence);
  // rms reads about 4 MiB of its tables for a sentence; its written pages are about 0.6 MiB.
  EXPECT_LT(residentKiB("libflite_cmu_us_rms"), 1536);
  say("boy", QStringLiteral("Sit down, please."));
  const SpokenText again = say("vemo", sentence);
  // The vocoder's noise starts afresh for every utterance: what another voice said in between
  // changes nothing.
  EXPECT_EQ(again.samples, first.samples);
}

TEST_F(Voices, CharactersSoundDifferent) {
  const QString sentence = QStringLiteral("Hello!");
  const SpokenText boy = say("boy", sentence);
  const SpokenText girl = say("girl", sentence);
  const SpokenText vemo = say("vemo", sentence);
  EXPECT_NE(boy.samples, girl.samples);
  EXPECT_NE(girl.samples, vemo.samples);
  EXPECT_NE(boy.samples, vemo.samples);
}

// slt's model was trained on a mean pitch of 172 Hz with a standard deviation of 27 Hz: a
// setting of 0 keeps both, intonation included.
TEST_F(Voices, PitchOfZeroIsTheVoicesOwn) {
  const QString sentence = QStringLiteral("Where is the library?");
  VoiceSettings own = builtCharacter("vemo").voice;
  own.voice = QStringLiteral("slt");
  own.pitchHz = 0;
  own.pitchRange = 0;
  VoiceSettings spelledOut = own;
  spelledOut.pitchHz = 172;
  spelledOut.pitchRange = 27;
  EXPECT_EQ(flite.synthesize(sentence, own).samples,
            flite.synthesize(sentence, spelledOut).samples);
}

// The median pitch of the voiced frames of `samples` (at the mixer's rate), by autocorrelation.
double medianPitchHz(const Samples& samples) {
  constexpr std::size_t kFrame = kMixerSampleRate / 25;
  constexpr std::size_t kShortestLag = kMixerSampleRate / 400;
  constexpr std::size_t kLongestLag = kMixerSampleRate / 70;
  std::vector<double> pitches;
  for (std::size_t at = 0; at + kFrame + kLongestLag < samples.size(); at += kFrame / 2) {
    auto correlation = [&](std::size_t lag) {
      double sum = 0;
      for (std::size_t i = 0; i < kFrame; ++i)
        sum += double(samples[at + i]) * samples[at + i + lag];
      return sum;
    };
    const double energy = correlation(0);
    if (energy < kFrame * 1000.0 * 1000.0) continue;  // silence or a whisper
    std::size_t best = kShortestLag;
    for (std::size_t lag = kShortestLag; lag <= kLongestLag; ++lag) {
      if (correlation(lag) > correlation(best)) best = lag;
    }
    if (correlation(best) > 0.5 * energy) pitches.push_back(double(kMixerSampleRate) / best);
  }
  if (pitches.empty()) return 0;
  std::nth_element(pitches.begin(), pitches.begin() + pitches.size() / 2, pitches.end());
  return pitches[pitches.size() / 2];
}

// festival's voices are raised with their formants kept: four semitones higher, the same length.
TEST_F(Voices, AFestivalVoiceIsSaidAtThePitchAsked) {
  const QString sentence = QStringLiteral("Where is the library? I would like to read.");
  VoiceSettings own = builtCharacter("girl").voice;
  own.pitchHz = 0;
  VoiceSettings raised = own;
  raised.pitchHz = 180 * std::pow(2.0, 4 / 12.0);  // the voice's own is 180 Hz
  const Samples ownSamples = festival.synthesize(sentence, own).samples;
  const Samples raisedSamples = festival.synthesize(sentence, raised).samples;
  ASSERT_FALSE(ownSamples.empty());
  EXPECT_NEAR(double(raisedSamples.size()), double(ownSamples.size()), ownSamples.size() / 100.0);
  EXPECT_NEAR(12 * std::log2(medianPitchHz(raisedSamples) / medianPitchHz(ownSamples)), 4, 1);
}

TEST_F(Voices, ChineseCharactersGoToTheMandarinVoice) {
  for (const QString id : {"boy", "girl", "vemo"}) {
    SCOPED_TRACE(id.toStdString());
    const SpokenText spoken = say(id, QStringLiteral("学 习 完 毕"));
    EXPECT_GT(rootMeanSquare(spoken.samples), 500);
    EXPECT_GT(spoken.utterance.durationMs, 4 * 120);
    EXPECT_LT(spoken.utterance.durationMs, 4 * 800);
    expectWordTimesIncreasingWithin(spoken.utterance, 4);
  }
  EXPECT_EQ(recordedEspeak.texts(), std::vector<QString>(3, QStringLiteral("学 习 完 毕")));
  EXPECT_TRUE(recordedFlite.texts().empty());
  EXPECT_TRUE(recordedFestival.texts().empty());
}

TEST_F(Voices, MixedSentenceIsSaidInRunsByBothVoices) {
  const SpokenText spoken = say("girl", QStringLiteral("I like 苹果 very much."));
  EXPECT_EQ(recordedFestival.texts(),
            (std::vector<QString>{QStringLiteral("I like "), QStringLiteral("very much.")}));
  EXPECT_EQ(recordedEspeak.texts(), std::vector<QString>{QStringLiteral("苹果 ")});
  expectWordTimesIncreasingWithin(spoken.utterance, 5);
  EXPECT_GT(rootMeanSquare(spoken.samples), 500);
}

TEST_F(Voices, WordWrittenAcrossBothScriptsSpansBothRuns) {
  const SpokenText spoken = say("boy", QStringLiteral("Say 你好Tom now"));
  ASSERT_EQ(spoken.utterance.words.size(), 3u);
  const std::vector<QString> chinese = recordedEspeak.texts();
  ASSERT_EQ(chinese.size(), 1u);
  EXPECT_EQ(chinese[0], QStringLiteral("你好"));
  const WordTiming& mixed = spoken.utterance.words[1];
  EXPECT_GT(mixed.endMs - mixed.startMs, 300);
}

TEST_F(Voices, LongTextIsSaidSentenceBySentence) {
  const SpokenText spoken =
      say("vemo", QStringLiteral("It is late. We should go home! Are you ready?"));
  EXPECT_EQ(recordedFlite.texts().size(), 3u);
  expectWordTimesIncreasingWithin(spoken.utterance, 10);
}

TEST_F(Voices, OddTextKeepsOneTimePerWord) {
  for (const QString& text :
       {QStringLiteral("Hello\uFF0Cworld - café \U0001F600 !!"), QStringLiteral("... ? -- \""),
        QStringLiteral("$20 is 3.5 dollars, isn't it?"), QStringLiteral("Tom!Come In!"),
        QStringLiteral("supercalifragilisticexpialidocious ") + QString(40, u'a'),
        QStringLiteral("Good\u3000morning,\u00A0Tom!\tHow  are\t\tyou?"),
        QStringLiteral("\u4F60\u597D\u3000Jenny\u00A0!")}) {
    for (const QString id : {"vemo", "girl"}) {
      SCOPED_TRACE(id.toStdString() + ": " + text.toStdString());
      const SpokenText spoken = say(id, text);
      const std::size_t wordCount = static_cast<std::size_t>(base::splitWords(text).size());
      ASSERT_EQ(spoken.utterance.words.size(), wordCount);
      int previousStart = 0;
      for (const WordTiming& word : spoken.utterance.words) {
        EXPECT_GE(word.startMs, previousStart);
        EXPECT_GE(word.endMs, word.startMs);
        EXPECT_LE(word.endMs, spoken.utterance.durationMs);
        previousStart = word.startMs;
      }
    }
  }
}

TEST_F(Voices, UnknownVoiceIsSilentButTakesTheTimeOfReadingAloud) {
  VoiceSettings missing = builtCharacter("vemo").voice;
  missing.voice = QStringLiteral("no-such-voice");
  const SpokenText spoken = synthesizeText(QStringLiteral("one two three"), missing,
                                           builtCharacter("vemo").chineseVoice, engines);
  EXPECT_EQ(rootMeanSquare(spoken.samples), 0);
  EXPECT_EQ(spoken.utterance.durationMs, 3 * TimedSpeech::kMsPerWord);
  expectWordTimesIncreasingWithin(spoken.utterance, 3);
}

TEST_F(Voices, AFestivalVoiceThatCannotSpeakLeavesTheOthersSpeaking) {
  const CharacterData& girl = builtCharacter("girl");
  for (const QString name : {"no_such_voice", "x) (quit"}) {
    VoiceSettings missing = girl.voice;
    missing.voice = name;
    EXPECT_EQ(
        rootMeanSquare(
            synthesizeText(QStringLiteral("one two"), missing, girl.chineseVoice, engines).samples),
        0);
  }
  EXPECT_GT(rootMeanSquare(say("girl", QStringLiteral("Good morning.")).samples), 500);
}

TEST_F(Voices, BlankTextSaysNothing) {
  const SpokenText spoken = say("girl", QStringLiteral("   "));
  EXPECT_EQ(spoken.utterance.durationMs, 0);
  EXPECT_TRUE(spoken.utterance.words.empty());
  EXPECT_TRUE(recordedFestival.texts().empty());
}

TEST_F(Voices, ASynthesizerThatThrowsLeavesSilenceAsLongAsReadingAloud) {
  struct Throwing : Synthesizer {
    SynthesizedRun synthesize(const QString&, const VoiceSettings&) override {
      throw std::runtime_error("out of voice");
    }
  } throwing;
  const SynthesizerTable broken{{"flite", &throwing}, {"espeak-ng", &throwing}};
  const CharacterData& vemo = builtCharacter("vemo");
  const SpokenText spoken =
      synthesizeText(QStringLiteral("one two \u4F60\u597D"), vemo.voice, vemo.chineseVoice, broken);
  EXPECT_EQ(rootMeanSquare(spoken.samples), 0);
  EXPECT_EQ(spoken.utterance.durationMs, 3 * TimedSpeech::kMsPerWord);
  expectWordTimesIncreasingWithin(spoken.utterance, 3);
}

TEST_F(Voices, EachCharacterSpeaksInTheVoicesOfItsFile) {
  EXPECT_EQ(builtCharacter("boy").voice.voice, QStringLiteral("cmu_us_slt_arctic_hts"));
  EXPECT_EQ(builtCharacter("boy").chineseVoice.voice, QStringLiteral("cmn-latn-pinyin"));
}

}  // namespace
}  // namespace character
