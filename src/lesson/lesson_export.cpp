// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson_export.h"

#include <QSaveFile>

#include "platform/numbered_files.h"

namespace lesson {
namespace {

QString exportField(const QString& text) {
  if (!text.contains(u'\t') && !text.contains(u'"') && !text.contains(u'\n') &&
      !text.contains(u'\r')) {
    return text;
  }
  QString quoted = text;
  quoted.replace(u'"', QStringLiteral("\"\""));
  return u'"' + quoted + u'"';
}

// Why the lesson cannot be exported: its first error.
QString refusal(const QString& lessonPath, const LessonCheck& check) {
  for (const LessonFinding& finding : check.findings) {
    if (finding.severity != LessonFinding::Severity::Error) continue;
    if (finding.line == 0) return finding.reason;
    return QStringLiteral("Cannot read \"%1\": line %2: %3.")
        .arg(lessonPath)
        .arg(finding.line)
        .arg(finding.reason);
  }
  return QStringLiteral("Cannot read \"%1\".").arg(lessonPath);
}

}  // namespace

QByteArray flashcardExport(const std::vector<LessonLine>& sentences,
                           const MissedWords& missedWords) {
  QString text =
      QStringLiteral("#separator:tab\n#html:false\n#columns:English\tChinese\tMissed words\n");
  for (const LessonLine& sentence : sentences) {
    const QStringList missed = missedWords ? missedWords(sentence.sentence) : QStringList();
    text += exportField(sentence.sentence) + u'\t' + exportField(sentence.translation) + u'\t' +
            exportField(missed.join(u' ')) + u'\n';
  }
  return text.toUtf8();
}

LessonCheck exportLesson(const QString& lessonPath, const QString& outPath,
                         const MissedWords& missedWords) {
  const LessonCheck check = checkLesson(lessonPath);
  if (!check.opened || check.refused) throw platform::FileError(refusal(lessonPath, check));
  QSaveFile out(outPath);
  if (!out.open(QIODevice::WriteOnly) ||
      out.write(flashcardExport(check.sentences, missedWords)) < 0 || !out.commit()) {
    throw platform::FileError(
        QStringLiteral("Cannot write \"%1\": %2.").arg(outPath, out.errorString()));
  }
  return check;
}

}  // namespace lesson
