// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashcard_lesson.h"

#include <QRegularExpression>
#include <optional>
#include <set>

#include "markup_text.h"

namespace lesson {
namespace {

const QStringList kSentenceColumnNames = {"front", "english", "sentence", "英文", "英语"};
const QStringList kTranslationColumnNames = {"back", "chinese", "translation", "中文", "翻译"};

// What the header lines say.
struct Header {
  QChar separator;
  bool html = true;
  QString columns;               // "#columns:" as written, split once the separator is known
  std::set<qsizetype> metadata;  // columns of the deck, the note type, the tags, the GUID
  qsizetype lines = 0;           // how many lines the header takes
};

std::optional<QChar> separatorNamed(const QString& name) {
  static const QStringList names = {"tab", "comma", "semicolon", "space", "pipe", "colon"};
  static const QString characters = QStringLiteral("\t,; |:");
  const qsizetype index = names.indexOf(name.toLower());
  if (index >= 0) return characters[index];
  if (name.size() == 1) return name[0];
  return std::nullopt;
}

// Reads the header lines; nullopt, with the lesson broken, at a separator it does not know.
std::optional<Header> readHeader(const QStringList& lines, QChar separator, ParsedLesson& lesson) {
  Header header;
  header.separator = separator;
  for (; header.lines < lines.size() && isFlashcardHeader(lines[header.lines]); ++header.lines) {
    const QString& line = lines[header.lines];
    const qsizetype colon = line.indexOf(u':');
    const QString key = line.mid(1, colon - 1).trimmed().toLower();
    const QString value = line.mid(colon + 1);
    if (key == QLatin1String("separator")) {
      const std::optional<QChar> named = separatorNamed(value.trimmed());
      if (!named) {
        lesson.breakAt(int(header.lines + 1),
                       QStringLiteral("unknown separator \"%1\"").arg(value));
        return std::nullopt;
      }
      header.separator = *named;
    } else if (key == QLatin1String("html")) {
      header.html = value.trimmed().toLower() != QLatin1String("false");
    } else if (key == QLatin1String("columns")) {
      header.columns = value;
    } else if (key.endsWith(QLatin1String(" column"))) {
      header.metadata.insert(value.trimmed().toLongLong() - 1);
    }
  }
  return header;
}

// One record of the export: its fields, or the reason it stops making sense.
struct Record {
  QStringList fields;
  QString broken;
};

// Reads the record that starts at line `at` and moves `at` past it. A quoted field may run over
// several lines.
Record readRecord(const QStringList& lines, qsizetype& at, QChar separator) {
  Record record;
  QString text = lines[at++];
  QString field;
  for (qsizetype i = 0;;) {
    if (i < text.size() && text[i] == u'"' && field.isEmpty()) {
      for (++i;; ++i) {
        if (i == text.size()) {
          if (at == lines.size()) return {{}, QStringLiteral("a quoted field is never closed")};
          text += u'\n' + lines[at++];
        }
        if (text[i] != u'"') {
          field += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == u'"') {
          field += text[++i];
        } else {
          break;
        }
      }
      ++i;
      if (i < text.size() && text[i] != separator) {
        return {{}, QStringLiteral("text after a closing quote")};
      }
    }
    while (i < text.size() && text[i] != separator) field += text[i++];
    record.fields << field;
    field.clear();
    if (i >= text.size()) return record;
    ++i;
  }
}

bool namesAColumn(const QString& name, const QStringList& names) {
  return names.contains(name.trimmed().toLower());
}

// The columns of the sentence and of its translation.
struct Columns {
  qsizetype sentence = 0;
  qsizetype translation = 1;
};

std::optional<Columns> namedColumns(const QStringList& names) {
  Columns columns{-1, -1};
  for (qsizetype index = 0; index < names.size(); ++index) {
    if (columns.sentence < 0 && namesAColumn(names[index], kSentenceColumnNames)) {
      columns.sentence = index;
    } else if (columns.translation < 0 && namesAColumn(names[index], kTranslationColumnNames)) {
      columns.translation = index;
    }
  }
  if (columns.sentence < 0 || columns.translation < 0) return std::nullopt;
  return columns;
}

Columns firstTwoColumns(const std::set<qsizetype>& metadata) {
  std::vector<qsizetype> chosen;
  for (qsizetype index = 0; chosen.size() < 2; ++index) {
    if (!metadata.contains(index)) chosen.push_back(index);
  }
  return {chosen[0], chosen[1]};
}

QString fieldText(const QStringList& fields, qsizetype column, bool html) {
  static const QRegularExpression sound(QStringLiteral(R"(\[sound:[^\]]*\])"));
  if (column >= fields.size()) return QString();
  QString text = fields[column];
  text.remove(sound);
  return html ? plainText(text) : text.simplified();
}

void addNote(ParsedLesson& lesson, const Record& record, const Columns& columns, bool html,
             int fileLine) {
  const QString english = fieldText(record.fields, columns.sentence, html);
  const QString chinese = fieldText(record.fields, columns.translation, html);
  if (english.isEmpty()) {
    if (!chinese.isEmpty()) lesson.note(fileLine, QStringLiteral("no English: skipped"));
    return;
  }
  if (chinese.isEmpty()) lesson.note(fileLine, QStringLiteral("no Chinese: empty translation"));
  lesson.add(english, chinese, fileLine);
}

}  // namespace

bool isFlashcardHeader(const QString& line) {
  static const QRegularExpression header(
      QStringLiteral(
          R"(^#(separator|html|columns|tags|deck|notetype|guid|tags column|deck column|notetype column|guid column):)"),
      QRegularExpression::CaseInsensitiveOption);
  return header.match(line).hasMatch();
}

ParsedLesson parseFlashcardLesson(const QStringList& lines, QChar separator) {
  ParsedLesson lesson;
  const std::optional<Header> header = readHeader(lines, separator, lesson);
  if (!header) return lesson;
  std::optional<Columns> columns;
  if (!header->columns.isEmpty()) columns = namedColumns(header->columns.split(header->separator));
  qsizetype at = header->lines;
  bool firstRecord = true;
  while (at < lines.size()) {
    const int fileLine = int(at + 1);
    if (lines[at].trimmed().isEmpty()) {
      ++at;
      continue;
    }
    const Record record = readRecord(lines, at, header->separator);
    if (!record.broken.isEmpty()) {
      lesson.breakAt(fileLine, record.broken);
      return lesson;
    }
    if (std::exchange(firstRecord, false) && !columns) {
      columns = namedColumns(record.fields);
      if (columns) continue;
    }
    addNote(lesson, record, columns.value_or(firstTwoColumns(header->metadata)), header->html,
            fileLine);
  }
  return lesson;
}

}  // namespace lesson
