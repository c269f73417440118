// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace base {

// What the whole component means by a word: a run of characters none of which is a blank, where
// a blank is what QChar::isSpace() calls one: the ASCII blanks, tabs and line breaks, and also
// U+00A0 (no-break space), U+3000 (ideographic space) and the other Unicode spaces. A run of
// blanks separates like one. The engine reveals balloon text word by word, and every speech
// service reports one time per word of this split.

inline bool isBlank(QChar c) {
  return c.isSpace();
}

// A stretch of a text, with its place in the whole.
struct TextSpan {
  qsizetype offset = 0;
  QString text;
};

// The words of `text`, each with its offset in `text`.
std::vector<TextSpan> wordSpans(const QString& text);

// The words of `text`.
QStringList splitWords(const QString& text);

// The offset just past each word of `text`, so that text.left(end) holds whole words only.
std::vector<qsizetype> wordEnds(const QString& text);

// `text` with every blank turned into a plain space: a speech engine that knows only the ASCII
// blanks then sees the same words. Length and offsets stay as they are.
QString withPlainBlanks(const QString& text);

}  // namespace base
