// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_runs.h"

#include <QStringView>

namespace character {

namespace {

enum class Script { Chinese, Other, Neutral };

Script scriptOf(char32_t codePoint) {
  if (QChar::script(codePoint) == QChar::Script_Han) return Script::Chinese;
  if (QChar::isLetter(codePoint)) return Script::Other;
  return Script::Neutral;
}

bool endsSentenceAlone(QChar character) {
  return character == u'\x3002' || character == u'\xFF01' || character == u'\xFF1F' ||
         character == u'\xFF1B';  // 。！？；
}

bool endsSentenceBeforeBlank(QChar character) {
  return character == u'.' || character == u'!' || character == u'?' || character == u';';
}

// Where the text ends, or the newline that ends it.
bool atTextEnd(QStringView text, qsizetype at) {
  return at == text.size() || (at == text.size() - 1 && text.at(at) == u'\n');
}

// The end of the sentence that starts at `start`, a character that is not blank.
qsizetype sentenceEnd(QStringView text, qsizetype start) {
  for (qsizetype at = start + 1;; ++at) {
    if (at == text.size()) return at;
    const QChar character = text.at(at);
    const bool blankOrEndFollows = at + 1 == text.size() || text.at(at + 1).isSpace();
    if ((endsSentenceBeforeBlank(character) && blankOrEndFollows) || endsSentenceAlone(character)) {
      return at + 1;
    }
    if (atTextEnd(text, at)) return at;
  }
}

void appendRuns(const base::TextSpan& sentence, std::vector<TextRun>& runs) {
  qsizetype runStart = 0;
  Script runScript = Script::Neutral;
  const QString& text = sentence.text;
  for (qsizetype i = 0; i < text.size();) {
    char32_t codePoint = text.at(i).unicode();
    qsizetype width = 1;
    if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
      codePoint = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
      width = 2;
    }
    const Script script = scriptOf(codePoint);
    if (script != Script::Neutral && runScript != Script::Neutral && script != runScript) {
      runs.push_back({sentence.offset + runStart, text.mid(runStart, i - runStart),
                      runScript == Script::Chinese});
      runStart = i;
    }
    if (script != Script::Neutral) runScript = script;
    i += width;
  }
  runs.push_back({sentence.offset + runStart, text.mid(runStart), runScript == Script::Chinese});
}

}  // namespace

std::vector<base::TextSpan> splitSentences(const QString& text) {
  std::vector<base::TextSpan> sentences;
  qsizetype at = 0;
  while (at < text.size()) {
    if (text.at(at).isSpace()) {
      ++at;
      continue;
    }
    const qsizetype end = sentenceEnd(text, at);
    sentences.push_back({at, text.mid(at, end - at)});
    at = end;
  }
  return sentences;
}

std::vector<TextRun> splitIntoRuns(const QString& text) {
  std::vector<TextRun> runs;
  for (const base::TextSpan& sentence : splitSentences(text)) appendRuns(sentence, runs);
  return runs;
}

}  // namespace character
