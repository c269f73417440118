// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "character/speech.h"
#include "speech/text_runs.h"

namespace character {
namespace {

std::vector<QString> texts(const auto& spans) {
  std::vector<QString> result;
  for (const auto& span : spans) result.push_back(span.text);
  return result;
}

TEST(WordSpans, MatchTheProgramsWordSplitWithOffsets) {
  const QString text = QStringLiteral("  Tom!Come In!\tnow 学 习\n");
  const auto spans = base::wordSpans(text);
  const QStringList words = base::splitWords(text);
  EXPECT_EQ(texts(spans), std::vector<QString>(words.begin(), words.end()));
  for (const base::TextSpan& span : spans)
    EXPECT_EQ(text.mid(span.offset, span.text.size()), span.text);
}

TEST(Sentences, SplitAfterEndingPunctuationFollowedByABlank) {
  EXPECT_EQ(texts(splitSentences(QStringLiteral("It is late. Go home!  Now?"))),
            (std::vector<QString>{"It is late.", "Go home!", "Now?"}));
  EXPECT_EQ(texts(splitSentences(QStringLiteral("Tom!Come In!"))),
            std::vector<QString>{"Tom!Come In!"});
  EXPECT_EQ(texts(splitSentences(QStringLiteral("3.5 apples"))),
            std::vector<QString>{"3.5 apples"});
  EXPECT_EQ(texts(splitSentences(QStringLiteral("学习完毕。你好！"))),
            (std::vector<QString>{"学习完毕。", "你好！"}));
  EXPECT_TRUE(splitSentences(QStringLiteral(" \n ")).empty());
}

TEST(Runs, SeparateChineseCharactersFromTheRest) {
  const QString text = QStringLiteral("I like 苹果, very much.");
  const auto runs = splitIntoRuns(text);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].text, QStringLiteral("I like "));
  EXPECT_FALSE(runs[0].chinese);
  EXPECT_EQ(runs[1].text, QStringLiteral("苹果, "));
  EXPECT_TRUE(runs[1].chinese);
  EXPECT_EQ(runs[2].text, QStringLiteral("very much."));
  for (const TextRun& run : runs) EXPECT_EQ(text.mid(run.offset, run.text.size()), run.text);
}

TEST(Runs, PunctuationAndDigitsAtTheStartGoWithTheFirstLanguage) {
  const auto runs = splitIntoRuns(QStringLiteral("\"3 学 习 完 毕\""));
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_TRUE(runs[0].chinese);
  const auto english = splitIntoRuns(QStringLiteral("(42) - *"));
  ASSERT_EQ(english.size(), 1u);
  EXPECT_FALSE(english[0].chinese);
}

TEST(Runs, HanCharactersBeyondTheBasicPlaneCountAsChinese) {
  const QString rare = QString::fromUcs4(U"ok \U00020000\U00020001 ok");
  const auto runs = splitIntoRuns(rare);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_TRUE(runs[1].chinese);
  EXPECT_EQ(runs[1].text.size(), 5);
}

TEST(Runs, EverySentenceStartsNewRuns) {
  const auto runs = splitIntoRuns(QStringLiteral("Hi. 你好。 Bye"));
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].text, QStringLiteral("Hi."));
  EXPECT_EQ(runs[1].text, QStringLiteral("你好。"));
  EXPECT_EQ(runs[2].text, QStringLiteral("Bye"));
}

}  // namespace
}  // namespace character
