// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_runs.h"

#include <QRegularExpression>

namespace character {

namespace {

enum class Script { Chinese, Other, Neutral };

Script scriptOf(char32_t codePoint) {
  if (QChar::script(codePoint) == QChar::Script_Han) return Script::Chinese;
  if (QChar::isLetter(codePoint)) return Script::Other;
  return Script::Neutral;
}

std::vector<base::TextSpan> matchesOf(const QRegularExpression& pattern, const QString& text) {
  std::vector<base::TextSpan> spans;
  auto matches = pattern.globalMatch(text);
  while (matches.hasNext()) {
    const auto match = matches.next();
    spans.push_back({match.capturedStart(), match.captured()});
  }
  return spans;
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
  static const QRegularExpression sentence(
      QStringLiteral("\\S.*?(?:[.!?;](?=\\s|$)|[\\x{3002}\\x{FF01}\\x{FF1F}\\x{FF1B}]|$)"),
      QRegularExpression::DotMatchesEverythingOption |
          QRegularExpression::UseUnicodePropertiesOption);
  return matchesOf(sentence, text);
}

std::vector<TextRun> splitIntoRuns(const QString& text) {
  std::vector<TextRun> runs;
  for (const base::TextSpan& sentence : splitSentences(text)) appendRuns(sentence, runs);
  return runs;
}

}  // namespace character
