// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

namespace lesson {

// The plain text of a line of subtitles or of a flashcard field: tags in angle brackets
// (<i>, <c.x>, <v Li>, <00:01.000>, <br>) and subtitle overrides in braces ({\an8}) are
// removed, a <br> becomes a blank, character references (&amp;, &lt;, &#20320;, &#x4F60;, ...)
// are decoded, and blanks are trimmed and folded into one.
QString plainText(QStringView markup);

// Whether `text` holds a Chinese character (a character of the Han script).
bool holdsChinese(QStringView text);

}  // namespace lesson
