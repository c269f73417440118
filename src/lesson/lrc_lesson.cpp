// SPDX-License-Identifier: GPL-3.0-or-later
#include "lrc_lesson.h"

#include <QRegularExpression>
#include <optional>

#include "markup_text.h"

namespace lesson {
namespace {

bool isTimeTag(QStringView tag) {
  static const QRegularExpression time(QStringLiteral(R"(^\d{1,3}:\d{1,2}([.:]\d{1,3})?$)"));
  return time.match(tag).hasMatch();
}

bool isMetadataTag(QStringView tag) {
  static const QRegularExpression metadata(QStringLiteral(R"(^[A-Za-z#]+:.*$)"));
  return metadata.match(tag).hasMatch();
}

// A line of lyrics: its time tags and the words after them.
struct LyricLine {
  QStringList times;
  QString words;
};

// Takes the tags off the start of `line`; nullopt with `reason` set when a tag is broken.
std::optional<LyricLine> takeTags(const QString& line, QString& reason) {
  LyricLine lyric;
  QStringView rest = QStringView(line).trimmed();
  while (rest.startsWith(u'[')) {
    const qsizetype close = rest.indexOf(u']');
    if (close < 0) {
      reason = QStringLiteral("a tag without its closing \"]\"");
      return std::nullopt;
    }
    const QStringView tag = rest.mid(1, close - 1);
    if (isTimeTag(tag)) {
      lyric.times << tag.toString();
    } else if (!isMetadataTag(tag)) {
      reason = QStringLiteral("\"[%1]\" is neither a time tag nor a metadata tag").arg(tag);
      return std::nullopt;
    }
    rest = rest.mid(close + 1).trimmed();
  }
  lyric.words = plainText(rest);
  if (lyric.times.isEmpty() && !lyric.words.isEmpty()) {
    reason = QStringLiteral("words without a time tag");
    return std::nullopt;
  }
  return lyric;
}

// Splits "English|中文" (or "English~中文"), the English part first whichever side it is on.
std::optional<LessonLine> splitPair(const QString& words) {
  qsizetype separator = words.indexOf(u'|');
  if (separator < 0) separator = words.indexOf(u'~');
  if (separator < 0) return std::nullopt;
  LessonLine pair{words.left(separator).trimmed(), words.mid(separator + 1).trimmed()};
  if (holdsChinese(pair.sentence) && !holdsChinese(pair.translation)) {
    std::swap(pair.sentence, pair.translation);
  }
  return pair;
}

// Pairs an English line with the Chinese line after it that has the same time tags.
class LyricPairing {
 public:
  explicit LyricPairing(ParsedLesson& lesson) : lesson_(lesson) {}

  void take(const LyricLine& lyric, int fileLine) {
    if (const std::optional<LessonLine> pair = splitPair(lyric.words)) {
      flush();
      addSentence(*pair, fileLine);
    } else if (!holdsChinese(lyric.words)) {
      flush();
      waiting_ = Waiting{lyric.times, lyric.words, fileLine};
    } else if (waiting_ && waiting_->times == lyric.times) {
      addSentence({waiting_->english, lyric.words}, waiting_->fileLine);
      waiting_.reset();
    } else {
      flush();
      lesson_.note(fileLine, QStringLiteral("Chinese without English: skipped"));
    }
  }

  // Stages an English line still waiting for its Chinese, with an empty translation.
  void flush() {
    if (!waiting_) return;
    addSentence({waiting_->english, QString()}, waiting_->fileLine);
    waiting_.reset();
  }

 private:
  struct Waiting {
    QStringList times;
    QString english;
    int fileLine;
  };

  void addSentence(const LessonLine& pair, int fileLine) {
    if (pair.sentence.isEmpty()) {
      lesson_.note(fileLine, QStringLiteral("no English: skipped"));
      return;
    }
    if (pair.translation.isEmpty())
      lesson_.note(fileLine, QStringLiteral("no Chinese: empty translation"));
    lesson_.add(pair.sentence, pair.translation, fileLine);
  }

  ParsedLesson& lesson_;
  std::optional<Waiting> waiting_;
};

}  // namespace

bool startsWithLrcTag(const QString& line) {
  QString reason;
  const std::optional<LyricLine> lyric = takeTags(line, reason);
  return line.trimmed().startsWith(u'[') && lyric.has_value();
}

ParsedLesson parseLrcLesson(const QStringList& lines) {
  ParsedLesson lesson;
  LyricPairing pairing(lesson);
  for (qsizetype at = 0; at < lines.size(); ++at) {
    QString reason;
    const std::optional<LyricLine> lyric = takeTags(lines[at], reason);
    if (!lyric) {
      pairing.flush();
      lesson.breakAt(int(at + 1), reason);
      return lesson;
    }
    if (!lyric->words.isEmpty()) pairing.take(*lyric, int(at + 1));
  }
  pairing.flush();
  return lesson;
}

}  // namespace lesson
