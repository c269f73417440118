// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "character/engine.h"
#include "desktop/balloon_text.h"
#include "listening/sentence_words.h"
#include "support/recording_presenter.h"
#include "support/test_character.h"

namespace character {
namespace {

// Every text the presenter was asked to reveal in a speech balloon, in order.
class RevealLog : public testing_support::RecordingPresenter {
 public:
  void showBalloon(const QString& id, BalloonKind kind, const QString& fullText,
                   const QString& visibleText) override {
    RecordingPresenter::showBalloon(id, kind, fullText, visibleText);
    if (kind == BalloonKind::Speech && (reveals.isEmpty() || reveals.constLast() != visibleText)) {
      reveals << visibleText;
    }
  }
  QStringList reveals;
};

struct BlankCase {
  const char* name;
  QString text;
  QString lastWordAndBefore;  // the text up to the end of its last word
  int words;
  QStringList scored;  // the words the reading is scored by
};

// Speech, balloon and scorer read the same words out of sentences with Unicode blanks, tabs and
// runs of blanks: the balloon reveals one word at each word time of the speech and ends on the
// last, and the scorer takes the same words without their punctuation.
TEST(Words, SpeechBalloonAndScorerAgreeOnTheWordsWhateverTheBlanks) {
  const std::vector<BlankCase> cases = {
      {"ideographic space",
       QStringLiteral("Good\u3000morning,\u3000Tom!"),
       QStringLiteral("Good\u3000morning,\u3000Tom!"),
       3,
       {"Good", "morning", "Tom"}},
      {"no-break space",
       QStringLiteral("I\u00A0am\u00A0here.\u00A0"),
       QStringLiteral("I\u00A0am\u00A0here."),
       3,
       {"I", "am", "here"}},
      {"tabs",
       QStringLiteral("\tOne\t\ttwo \tthree\t"),
       QStringLiteral("\tOne\t\ttwo \tthree"),
       3,
       {"One", "two", "three"}},
      {"runs of blanks",
       QStringLiteral("  Hello    world  "),
       QStringLiteral("  Hello    world"),
       2,
       {"Hello", "world"}},
      {"Chinese and English",
       QStringLiteral("\u4F60\u597D\u3000Jenny\u00A0!"),
       QStringLiteral("\u4F60\u597D\u3000Jenny\u00A0!"),
       3,
       {QStringLiteral("\u4F60\u597D"), "Jenny"}},
  };
  for (const BlankCase& blankCase : cases) {
    SCOPED_TRACE(blankCase.name);
    VirtualClock clock;
    RevealLog presenter;
    TimedSpeech speech;
    Engine engine(clock, presenter, speech);
    CharacterState& boy = engine.addCharacter(testing_support::makeTestCharacter("boy"));
    const Request said = engine.speak(boy, blankCase.text);
    engine.runUntil(clock, blankCase.words * TimedSpeech::kMsPerWord);
    EXPECT_EQ(said.Status(), RequestStatus::Done);

    EXPECT_EQ(TimedSpeech::estimate(blankCase.text).words.size(), std::size_t(blankCase.words));
    EXPECT_EQ(listening::sentenceWords(blankCase.text), blankCase.scored);
    ASSERT_EQ(presenter.reveals.size(), blankCase.words + 1)
        << presenter.reveals.join('|').toStdString();
    EXPECT_EQ(presenter.reveals.constFirst(), QString());
    EXPECT_EQ(presenter.reveals.constLast(), blankCase.lastWordAndBefore);
    for (const QString& revealed : presenter.reveals) {
      EXPECT_EQ(revealedLength(blankCase.text, revealed), revealed.size());
      const QChar next = blankCase.text.at(std::min(revealed.size(), blankCase.text.size() - 1));
      EXPECT_TRUE(revealed.isEmpty() || revealed == blankCase.text || base::isBlank(next))
          << "a reveal ends inside a word: " << revealed.toStdString();
    }
  }
}

}  // namespace
}  // namespace character
