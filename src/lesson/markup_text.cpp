// SPDX-License-Identifier: GPL-3.0-or-later
#include "markup_text.h"

#include <QList>
#include <algorithm>
#include <array>
#include <utility>

namespace lesson {
namespace {

constexpr std::array<std::pair<const char*, char16_t>, 9> kNamedReferences{{
    {"amp", u'&'},
    {"lt", u'<'},
    {"gt", u'>'},
    {"quot", u'"'},
    {"apos", u'\''},
    {"nbsp", u' '},
    {"lrm", u'\u200E'},
    {"rlm", u'\u200F'},
    {"ensp", u' '},
}};

// The longest character reference looked for, "&#x10FFFF;" included.
constexpr qsizetype kLongestReference = 10;

// The text a reference `name` (between "&" and ";") stands for, or "" when it is none we know.
QString decodeReference(QStringView name) {
  if (name.startsWith(u'#')) {
    bool ok = false;
    const bool hex = name.size() > 1 && (name[1] == u'x' || name[1] == u'X');
    const uint code = name.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
    if (!ok || code == 0 || code > 0x10FFFF || QChar::isSurrogate(code)) return QString();
    const char32_t character = code;
    return QString::fromUcs4(&character, 1);
  }
  for (const auto& [known, character] : kNamedReferences) {
    if (name == QLatin1String(known)) return QString(QChar(character));
  }
  return QString();
}

// Where the markup that starts at `at` ends (the index after it), or `at` when none starts there.
qsizetype markupEnd(QStringView text, qsizetype at) {
  if (text[at] == u'<') {
    const qsizetype close = text.indexOf(u'>', at + 1);
    if (close > at + 1) return close + 1;
  }
  if (text[at] == u'{' && at + 1 < text.size() && text[at + 1] == u'\\') {
    const qsizetype close = text.indexOf(u'}', at + 2);
    if (close > 0) return close + 1;
  }
  return at;
}

bool isLineBreakTag(QStringView tag) {
  return tag.startsWith(QLatin1String("<br"), Qt::CaseInsensitive);
}

}  // namespace

QString plainText(QStringView markup) {
  QString text;
  text.reserve(markup.size());
  for (qsizetype at = 0; at < markup.size();) {
    if (const qsizetype end = markupEnd(markup, at); end > at) {
      if (isLineBreakTag(markup.mid(at, end - at))) text += u' ';
      at = end;
      continue;
    }
    if (markup[at] == u'&') {
      const qsizetype semicolon = markup.mid(at, kLongestReference).indexOf(u';');
      const QString decoded =
          semicolon > 1 ? decodeReference(markup.mid(at + 1, semicolon - 1)) : QString();
      if (!decoded.isEmpty()) {
        text += decoded;
        at += semicolon + 1;
        continue;
      }
    }
    text += markup[at++];
  }
  return text.simplified();
}

bool holdsChinese(QStringView text) {
  const QList<uint> characters = text.toUcs4();
  return std::any_of(characters.begin(), characters.end(),
                     [](uint character) { return QChar::script(character) == QChar::Script_Han; });
}

}  // namespace lesson
