// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson_dialog.h"

#include <QFileDialog>
#include <QStringList>

namespace lesson {

QString toDialogFilter(const QString& filter) {
  const QStringList pieces = filter.split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < pieces.size(); i += 2) {
    const QString patterns = pieces[i + 1].split(QLatin1Char(';')).join(QLatin1Char(' '));
    entries << QStringLiteral("%1 (%2)").arg(pieces[i], patterns);
  }
  return entries.join(QStringLiteral(";;"));
}

QString lessonDialogFilter() {
  return toDialogFilter(kLessonFilter + QLatin1Char('|') + kFurtherLessonFilter);
}

// A full path typed into the dialog is taken whatever its extension: the format is recognised
// by the content too, and a file that cannot be read is reported when it is opened.
QString askForLessonFile(QWidget* parent) {
  const QString filter = lessonDialogFilter();
  QString firstEntry = filter.section(QStringLiteral(";;"), 0, 0);
  return QFileDialog::getOpenFileName(parent, QStringLiteral("打开学习文件"), QString(), filter,
                                      &firstEntry);
}

}  // namespace lesson
